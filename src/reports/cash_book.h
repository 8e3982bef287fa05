// The cash book (現金出納簿, report 5): the cash lines of one month in date order with receipts,
// payments and the running cash balance, from the balance carried into the month to the balance
// carried out.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>

namespace reports {

// Writes the title, the paper text, the month row's caption, the processing month as EYYMM and the
// era legend.
void CASHBOOK_Init(ReportDialog& dialog);
// The month box: at most 5 characters, digits only, and a month of an era the control row defines.
// A fault shows its message and gives Err 9 with FocusIndex 0; FocusIndex is left alone on a pass.
void CASHBOOK_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Prints the cash lines of the month in the month box; true when pages were printed.
bool CASHBOOK_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 5.
ReportModule makeCashBookModule();

} // namespace reports
