// Right-aligned texts of a fixed width for fields, grid cells and printed columns.
#pragma once

#include "platform/db/currency.h"

#include <concepts>
#include <cstdint>
#include <string>

namespace common {

// `value` formatted with a number pattern ("0", "#", ",", "."), then right-aligned to the pattern's length.
// A longer result keeps its rightmost characters, except that a grouped amount (a pattern with ",") which
// does not fit becomes the pattern's width of "*": a cut amount would read as a different amount.
// A text that is not a number is only aligned.
std::string FormatFix(const std::string& value, const std::string& fmt);
std::string FormatFix(db::Currency value, const std::string& fmt);
std::string FormatFix(float value, const std::string& fmt);
std::string FormatFix(std::int64_t value, const std::string& fmt);
template <std::integral T> std::string FormatFix(T value, const std::string& fmt) {
    return FormatFix(static_cast<std::int64_t>(value), fmt);
}

// A code zero-filled to `digits` (1 to 6; any other count groups by thousands) and right-aligned to `width`.
// A longer result keeps its rightmost characters up to the pattern's length, never fewer than `digits`.
std::string FormatCode(const std::string& value, std::int16_t width, std::int16_t digits);
std::string FormatCode(std::int64_t value, std::int16_t width, std::int16_t digits);

// The formatting step alone: `value` under the pattern, no width rule.
std::string FormatNumber(const std::string& value, const std::string& fmt);

// A float in plain decimal notation with every digit it needs ("0.369"), for FormatNumber.
std::string FloatText(float value);

} // namespace common
