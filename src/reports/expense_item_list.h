// The expense item list (費目別一覧, report 6): every voucher line of one month grouped by subject,
// each amount signed by the subject's own direction, and each subject closed by its subtotal.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>

namespace reports {

// Writes the title, the paper text, the month row's caption, the processing month as EYYMM and the era legend.
void PL_Init(ReportDialog& dialog);
// The month box: at most 5 characters, digits only, and a real month of a defined era. A fault shows
// its message and gives Err 9 with FocusIndex 0.
void PL_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Prints the month's lines; true when pages were printed.
bool PL_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 6.
ReportModule makeExpenseItemListModule();

} // namespace reports
