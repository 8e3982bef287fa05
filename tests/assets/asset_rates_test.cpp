#include "assets/asset_rates.h"

#include <gtest/gtest.h>

namespace {

using assets::ProposeLimit;
using assets::ProposeRate;
using db::Currency;

// Every rate is the single-precision number nearest its three decimals.
TEST(AssetRates, TheRateComesFromTheLifeByTheMethodsTable) {
    // Declining balance (0): the table, also where it leaves the formula (24, 34) or has no rate. Straight line
    // (1): cut down to the thousandth up to 20 years, raised from 21.
    const std::tuple<int, int, float> cases[] = {{2, 0, 0.684f},  {24, 0, 0.092f}, {34, 0, 0.066f}, {47, 0, 0.048f},
                                                 {50, 0, 0.045f}, {46, 0, 0.0f},   {1, 0, 0.0f},    {51, 0, 0.0f},
                                                 {6, 1, 0.166f},  {20, 1, 0.05f},  {21, 1, 0.048f}, {50, 1, 0.02f}};
    for (const auto& [life, method, rate] : cases)
        EXPECT_EQ(ProposeRate(life, method), rate) << life << " " << method;
}

TEST(AssetRates, TheLimitIsTheKindsShareOfTheCostRoundedHalfUp) {
    const std::tuple<std::int64_t, int, std::int64_t> cases[] = {
        {1'000'000, 1, 950'000}, {10, 1, 10}, {1, 1, 1}, {3, 1, 3}, {1'000'000, 0, 1'000'000}, {7, 0, 7}, {0, 1, 0}};
    for (const auto& [cost, kind, limit] : cases)
        EXPECT_EQ(ProposeLimit(Currency::fromWhole(cost), kind), Currency::fromWhole(limit)) << cost << " " << kind;
}

TEST(AssetRates, ATypedRateKeepsEveryDecimalAndNoNumberIsRefused) {
    const std::pair<const char*, std::optional<float>> cases[] = {
        {"0.12345", 0.12345f}, {"1,000.5", 1000.5f}, {".5-", -0.5f}, {"+7", 7.0f}, {"1..2", {}}, {"-", {}}};
    for (const auto& [text, rate] : cases)
        EXPECT_EQ(assets::ParseRate(text), rate) << text;
}

} // namespace
