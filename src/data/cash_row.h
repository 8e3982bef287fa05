// The cash balance row, the one row of F46TB (key 1). Its 36 month amounts live in memory as
// F46Record.Amt and in the table as three texts of twelve 10-character slots.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <string>

namespace data {

// A slot holds a whole number from -999,999,999 to 2,147,483,647; nothing outside fits or reads back.
inline constexpr std::int64_t LowestMonthAmount = -999'999'999;
inline constexpr std::int64_t HighestMonthAmount = 2'147'483'647;

// "GET" reads the row into F46Record and unpacks the month texts into Amt, first creating the
// default row when the table has none. "PUT" packs Amt (rounded to whole numbers) and writes the
// row; it never creates the row and writes nothing when an amount lies outside the slot range.
// Status 0 done, 9 failed (the user has been told; F46Record is left as it was). Other modes do nothing.
void F46Access(ProgramState& s, const std::string& mode, std::int16_t& status);

} // namespace data
