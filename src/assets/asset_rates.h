// The figures the asset register proposes while an asset is filled in: the yearly depreciation rate
// from the useful life and the method, and the depreciable limit from the cost and the kind.
#pragma once

#include "platform/db/currency.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace assets {

// Methods (F28_KND) and kinds (F28_SHU).
inline constexpr std::int16_t DecliningBalance = 0;
inline constexpr std::int16_t StraightLine = 1;
inline constexpr std::int16_t Intangible = 0;
inline constexpr std::int16_t Tangible = 1;

// Declining-balance rates by useful life 0 to 65; lives without a rate hold 0.
const std::array<float, 66>& DecliningRate();
// Depreciable share of the cost in percent, by kind: intangible 100, tangible 95.
const std::array<float, 2>& LimitPercent();

// The straight-line rate of a life of `life` years (1 or more): the thousandths cut down up to 20 years,
// raised from 21 years on.
float StraightLineRate(int life);
// Method 0 takes the declining-balance table (0 outside it), any other method the straight-line rate.
float ProposeRate(int life, int method);
// The cost times the kind's share, rounded half up to a whole unit.
db::Currency ProposeLimit(db::Currency cost, int kind);

// A typed rate (digits, separators, one sign first or last) as the single-precision number it names, every
// decimal kept; nothing when the text is no number.
std::optional<float> ParseRate(const std::string& text);

// The largest whole number not above value + 0.5: how every computed asset amount is rounded. A result
// beyond the currency's range, or NaN, raises DbError (ValueOutOfRange).
db::Currency RoundHalfUp(double value);

} // namespace assets
