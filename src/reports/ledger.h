// The ledger (元帳, report 7): for each subject of a category and code range, its voucher lines of a
// period of months with the running balance, on pages of its own that open with the balance brought
// forward and close with the totals and the balance carried forward.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <string>

namespace reports {

// Writes the title, the paper text and the period, category and subject-code rows with their defaults.
void MOTOCHO_Init(ReportDialog& dialog);
// Boxes 0, 1, 2, 6, 7, 8 in this order: length, digits, then not empty and, for the period boxes, a real
// month of a defined era. The first fault shows its message and gives Err 9 with FocusIndex that box.
void MOTOCHO_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Text is too long for box Index: 5 characters for the periods (0, 6), the digits of code
// category 1 for the categories (1, 7; six when the category has no digit count), 6 for the codes (2, 8).
void MOTOCHO_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index, std::int16_t& Err);
// Prints the ledger of every subject with lines in the period; true when pages were printed.
bool MOTOCHO_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 7.
ReportModule makeLedgerModule();

} // namespace reports
