#include "platform/db/currency.h"

#include <cmath>
#include <cstdlib>

namespace db {

namespace {

// 2^63: the first magnitude a 64-bit count cannot hold, exact as a double.
constexpr double CountLimit = 9223372036854775808.0;

} // namespace

void Currency::throwOverflow() { throw DbError(ValueOutOfRange, "金額が扱える範囲を超えました。"); }

Currency Currency::fromDouble(double value) {
    const double scaled = std::round(value * Scale);
    // NaN fails both comparisons, so it is refused with the values out of range.
    if (!(scaled >= -CountLimit && scaled < CountLimit)) throwOverflow();
    return Currency(static_cast<std::int64_t>(scaled));
}

std::int64_t Currency::roundedWhole() const {
    const std::int64_t whole = raw_ / Scale;
    const std::int64_t rest = raw_ % Scale;
    if (rest >= Scale / 2) return whole + 1;
    if (rest <= -Scale / 2) return whole - 1;
    return whole;
}

std::string Currency::toString() const {
    const bool negative = raw_ < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    std::string text = std::to_string(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += '.';
        text += digits;
    }
    if (negative) text.insert(0, 1, '-');
    return text;
}

} // namespace db
