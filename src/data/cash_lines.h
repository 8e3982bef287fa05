// Which voucher lines move cash: the one rule the monthly totals and the cash book share, so that
// the cash book's carried balance agrees with the balances the totals store.
#pragma once

#include "data/program_state.h"

#include <cstdint>

namespace data {

// True when the line's detail row of F21TB, or without one its subject's own row, is a cash-book
// subject (F21_CSH 0). An unregistered subject is not cash. F21Record holds the row judged.
bool IsCashLine(ProgramState& s, std::int16_t category, std::int32_t subject, std::int32_t detail);

} // namespace data
