// The annual summary (年間集計表, report 10): for one calendar year, each subject's voucher lines summed
// by month for every detail and counterpart, with a year total, and a total row for each subject.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>

namespace reports {

// Writes the title, the paper text, the year row's caption, the processing year as EYY and the era legend.
void GOUKEI_Init(ReportDialog& dialog);
// The year box: at most 3 characters, digits only, and a year of a defined era. A fault shows its
// message and gives Err 9 with FocusIndex 0.
void GOUKEI_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Prints the year's sums; true when pages were printed.
bool GOUKEI_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 10.
ReportModule makeAnnualSummaryModule();

} // namespace reports
