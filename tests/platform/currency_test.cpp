// Amount arithmetic at the edge of the currency type: beyond it an error, never a wrapped figure.
#include "engine_fixture.h"

#include "platform/db/currency.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace {

using db::Currency;

TEST(Currency, ArithmeticAndConversionsBeyondItsRangeRaiseAnErrorInsteadOfWrapping) {
    const auto highest = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    const auto lowest = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    const auto tiny = Currency::fromRaw(1);
    const std::function<void()> overflowing[] = {
        [&] { (void)(highest + tiny); },
        [&] { (void)(lowest - tiny); },
        [&] { (void)-lowest; },
        [&] {
            auto sum = highest;
            sum += tiny;
        },
        [&] {
            auto difference = lowest;
            difference -= tiny;
        },
        [&] { (void)(highest * 2); },
        [] { (void)Currency::fromWhole(922'337'203'685'478); },
        [] { (void)Currency::fromDouble(1e300); },
        [] { (void)Currency::fromDouble(std::nan("")); },
        [] { (void)db::Value(1e300).asInt(); },
        [] { (void)db::Value(std::int64_t{1} << 62).asCurrency(); },
    };
    for (std::size_t i = 0; i < std::size(overflowing); ++i)
        EXPECT_EQ(engine_tests::errorOf(overflowing[i]).number(), db::ValueOutOfRange) << "case " << i;
    // Up to the edge itself every figure is exact.
    EXPECT_EQ(highest - tiny + tiny, highest);
    EXPECT_EQ(-(lowest + tiny), highest);
    EXPECT_EQ(Currency::fromWhole(922'337'203'685'477).roundedWhole(), 922'337'203'685'477);
}

} // namespace
