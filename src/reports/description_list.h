// The description list (摘要一覧表, report 3): the registered descriptions of a range of codes, one
// row each, with the subject, detail and counterpart each one proposes and their names.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <string>

namespace reports {

// Writes the title, the paper text and the code row with its defaults "000001" to "999999".
void TEKILIST_Init(ReportDialog& dialog);
// The first and then the last code: at most 6 characters, digits only, not empty. A fault shows its
// message and gives Err 9 with FocusIndex on the box.
void TEKILIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Index is 0 or 6 and Text holds more than 6 characters, else 0.
void TEKILIST_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err);
// Prints the descriptions whose codes lie in the range, compared as six-digit texts; true when pages
// were printed.
bool TEKILIST_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 3.
ReportModule makeDescriptionListModule();

} // namespace reports
