// The monthly totals (SimeMode 1): one month's voucher lines summed into that fiscal month of
// every subject and detail, and the month's cash into the cash balance row with its balances.
#pragma once

#include "data/program_state.h"
#include "journal/closing_job.h"

#include <cstdint>

namespace journal {

// Title, caption, the processing date's era period EYYMM as the default, era legend, table names.
void MonthlyTotalsInit(data::ProgramState& s, ClosingDialogView& view);

// Err 0: Text1(0) is a period EYYMM of a real month. Err 9: refused after a message, FocusIndex 0.
void MonthlyTotalsCheck(data::ProgramState& s, ClosingDialogView& view, std::int16_t& FocusIndex, std::int16_t& Err);

// Recomputes the month of Text1(0) in one transaction; on any failure the file is left as it was.
RunOutcome MonthlyTotalsRun(data::ProgramState& s, ClosingDialogView& view);

// The month's voucher lines in subject, detail and entry order; bound to the first and last date. Only the
// fields the job reads are fetched: every other field would only widen the sort.
inline constexpr const char* MonthLinesQuery =
    "SELECT F45_KBN, F45_ACT, F45_SRT, F45_IO, F45_AMT FROM F45TB WHERE  F45_YMD >= ? AND F45_YMD <= ?  "
    "ORDER BY  F45_KBN, F45_ACT, F45_SRT , F45_YMD, F45_DNO, F45_LIN";

} // namespace journal
