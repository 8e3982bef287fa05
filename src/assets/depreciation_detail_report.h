// The depreciation detail list (固定資産等及び償却明細, report 9): every stored depreciation row of
// one calendar year, chosen as an era year, two printed lines each beside its asset's master data.
#pragma once

#include "data/records.h"
#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace assets {

// Writes the title, the paper text, the era year of the processing date and the era legend.
void ASSETLIST_Init(reports::ReportDialog& dialog);
// The era-year box: at most 3 characters, digits only, and a year of an era. A fault shows its message
// and gives Err 9 with FocusIndex 0; FocusIndex is left alone when the box passes.
void ASSETLIST_Check(reports::ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Prints the rows of the year in the era-year box; true when pages were printed.
bool ASSETLIST_Print(reports::ReportDialog& dialog, platform::Page& page);

// The first and last year-month (yyyymm) of the calendar year a box text EYY stands for, read as a
// number and zero-filled to three digits; nothing when it is empty, too long, not digits or no era year.
std::optional<std::pair<std::int32_t, std::int32_t>> DetailYearMonths(const data::F01Rec& control,
                                                                      const std::string& text);

// The module the report dialog runs for PrintReportNo 9.
reports::ReportModule makeDepreciationDetailModule();

} // namespace assets
