// The subject list (勘定科目一覧表, report 2): the subjects of a range of subject categories, each
// followed by its detail rows, with direction, cash-book mark and detail name.
#pragma once

#include "data/program_state.h"
#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <string>

namespace reports {

// Writes the title, the paper text and the category row with its defaults, the lowest and highest
// codes of the digits of category 1 ("01" and "99" for two digits).
void KAMOKULIST_Init(ReportDialog& dialog);
// The first and then the last category: no longer than the digits of category 1, digits only, not
// empty. A fault shows its message and gives Err 9 with FocusIndex on the box.
void KAMOKULIST_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Index is 0 or 6, category 1 has a digit count and Text holds more characters, else 0.
void KAMOKULIST_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index,
                            std::int16_t& Err);
// Prints the subjects of the categories in the range; true when pages were printed.
bool KAMOKULIST_Print(ReportDialog& dialog, platform::Page& page);

// The module the report dialog runs for PrintReportNo 2.
ReportModule makeSubjectListModule();

} // namespace reports
