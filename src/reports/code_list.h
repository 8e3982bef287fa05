// The code list (コード一覧表, report 1): the codes of a range of code categories, one row each,
// each category opened by its number and name.
#pragma once

#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <string>

namespace reports {

// Writes the title, the paper text and the category row with its defaults "01" to "99".
void CLIST_Init(ReportDialog& dialog);
// The first and then the last category: at most 2 characters, digits only, not empty. A fault shows
// its message and gives Err 9 with FocusIndex on the box.
void CLIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Index is 0 or 6 and Text holds more than 2 characters, else 0.
void CLIST_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err);
// Prints the codes of the categories in the range; true when pages were printed.
bool CLIST_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 1.
ReportModule makeCodeListModule();

} // namespace reports
