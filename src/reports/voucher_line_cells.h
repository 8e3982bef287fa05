// The cells the reports print for a voucher line's codes: each code with its registered name, and the
// era date of a line, looked up through the keyed readers.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <string>

namespace reports {

// The subject as "01-000101 売上": the category zero-filled to the digits of code category 1 in three
// characters, "-", the six-digit code, and the name when the subject is registered. The look-up
// leaves the subject's direction in F21Record.F21_IO (0 when it is not registered).
std::string SubjectCellText(data::ProgramState& s, std::int16_t kbn, std::int32_t act);

// The description code and its name; empty for "000000" or six blanks, the code alone when unregistered.
std::string DescriptionCellText(data::ProgramState& s, const std::string& tek);

// The detail code zero-filled to the digits of code category 3 in `width` characters, and its name;
// empty when the line has no detail.
std::string DetailCellText(data::ProgramState& s, std::int32_t srt, std::int16_t width);

// The counterpart as "2-0001 一般顧客": category, "-", the code zero-filled to its category's digits,
// and its name; empty when the line has no counterpart. A category outside the twenty of
// CodeKbnTable has no digit count and no name: its code is grouped by thousands and printed alone.
std::string CounterpartCellText(data::ProgramState& s, std::int16_t knd, std::int32_t cus);

// The name of a code when it is registered, else empty.
std::string CodeName(data::ProgramState& s, std::int16_t kbn, std::int32_t code);

// A line's date as era year, month and day joined by "/" ("08/04/15"); empty when it does not convert.
std::string EraSlashDate(const data::F01Rec& control, std::int32_t ymd);

} // namespace reports
