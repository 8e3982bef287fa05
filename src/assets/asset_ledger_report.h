// The asset ledger (資産台帳, report 8): each asset of a range of subject classes, subjects and
// serial numbers on pages of its own, its master data above every stored depreciation row.
#pragma once

#include "data/program_state.h"
#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <string>

namespace assets {

// Writes the title, the paper text and the three range rows with their widest defaults.
void ASSLIST_Init(reports::ReportDialog& dialog);
// Boxes 0, 1, 2, 6, 7, 8 in this order: not longer than the box allows, digits only, a subject or
// serial box not empty. A fault shows its message and gives Err 9 with FocusIndex on the box.
void ASSLIST_Check(reports::ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Text is longer than box Index allows: the digits of code category 1 for boxes 0 and 6
// (no limit when the category has none), six for 1 and 7, five for 2 and 8; any other box has no limit.
void ASSLIST_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index, std::int16_t& Err);
// Prints the ledger of the assets in the ranges; true when pages were printed.
bool ASSLIST_Print(reports::ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 8.
reports::ReportModule makeAssetLedgerModule();

} // namespace assets
