// The year-end closing (SimeMode 2): clears every subject's figures, deletes the voucher lines up
// to 31 December of the chosen year, carries the year's cash result forward and records the date.
#pragma once

#include "data/program_state.h"
#include "journal/closing_job.h"

#include <cstdint>
#include <string>

namespace journal {

// Title, caption, the processing date's era year EYY as the default, era legend, table names.
void YearEndInit(data::ProgramState& s, ClosingDialogView& view);

// Err 0: Text1(0) is an era year EYY with a real 1 January. Err 9: refused after a message, FocusIndex 0.
void YearEndCheck(data::ProgramState& s, ClosingDialogView& view, std::int16_t& FocusIndex, std::int16_t& Err);

// Asks first, naming the end date and the number of lines it will delete; No changes nothing
// (Declined). Then closes the year in one transaction; on any failure the file is left as it was.
// The closing date stored is s.SimeDate, a day of 99 made the month's last day.
RunOutcome YearEndRun(data::ProgramState& s, ClosingDialogView& view);

// The lines the closing deletes, with the end date bound to the "?".
inline constexpr const char* ClosedLinesQuery = "SELECT * FROM F45TB WHERE  F45_YMD <= ? "
                                                "ORDER BY  F45_KBN, F45_ACT, F45_SRT , F45_YMD, F45_DNO, F45_LIN";

// The question asked before the closing: the end date as an era date and the count of lines.
std::string YearEndQuestion(const data::F01Rec& control, std::int32_t endDate, std::int64_t lineCount);

} // namespace journal
