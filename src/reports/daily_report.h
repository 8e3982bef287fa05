// The daily report (経理日報, report 4): every voucher line of one date, two printed lines each,
// closed by the day's receipts less its payments on the last page.
#pragma once

#include "data/records.h"
#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstdint>
#include <optional>
#include <string>

namespace reports {

// Writes the title, the paper text, the date row's caption, the processing date as EYYMMDD and the era legend.
void NIPPO_Init(ReportDialog& dialog);
// The date box: at most 7 characters, digits only, and a real date of an era. A fault shows its message
// and gives Err 9 with FocusIndex 0; FocusIndex is left alone when the box passes.
void NIPPO_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err);
// Err 9 when Index is 0 and Text holds more than 7 characters, else 0.
void NIPPO_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err);
// Prints the voucher lines of the date in the date box; true when pages were printed.
bool NIPPO_Print(ReportDialog& dialog, platform::Page& page);

// The date a box text EYYMMDD stands for, read as a number and zero-filled to seven digits, as yyyymmdd;
// nothing when the text is empty, holds more than 7 characters or a non-digit, or makes no real date.
std::optional<std::int32_t> NippoReportDate(const data::F01Rec& control, const std::string& text);

// The module the report dialog runs for PrintReportNo 4.
ReportModule makeDailyReportModule();

} // namespace reports
