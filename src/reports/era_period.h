// Era periods typed in a report's range box (EYY a year, EYYMM a month) and the check every report
// with such a box makes before its print run may form a query from it.
#pragma once

#include "data/records.h"

#include <cstdint>
#include <optional>
#include <string>

namespace reports {

// The first day, yyyymmdd, of the period `text` stands for: the text read as a whole number and
// zero-filled to `digits`, its first digit the era, the rest followed by `dayPart` ("01" for a month,
// "0101" for a year). Nothing for an empty text, one longer than `digits`, a non-digit, an era the
// control row does not define, or a month outside 1 to 12.
std::optional<std::int32_t> EraPeriodFirstDay(const data::F01Rec& control, const std::string& text, std::size_t digits,
                                              const std::string& dayPart);

// What is wrong with an era period box, in the order the user is told: longer than `digits`
// ("規定の桁数を超えました。"), not digits only ("入力結果が数字ではありません。"), then empty or no
// real date ("日付の誤りです。再度、入力して下さい。"). Nothing when the box can be printed from.
const char* EraPeriodFault(const data::F01Rec& control, const std::string& text, std::size_t digits,
                           const std::string& dayPart);

} // namespace reports
