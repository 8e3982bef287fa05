#include "assets/depreciation_computation.h"

#include <gtest/gtest.h>

namespace {

using namespace assets;
using db::Currency;

Currency yen(std::int64_t whole) { return Currency::fromWhole(whole); }

// Acquired 15 April 2026, five years: the last month is March 2031.
data::F28Rec asset(std::int16_t method = 0, float rate = 0.369f, std::int64_t cost = 1'000'000,
                   std::int64_t limit = 950'000) {
    data::F28Rec a;
    a.F28_KBN = 2;
    a.F28_ACT = 216;
    a.F28_SEQ = 1;
    a.F28_DAT = 20260415;
    a.F28_NEN = 5;
    a.F28_AMT = yen(cost);
    a.F28_PCT = rate;
    a.F28_KND = method;
    a.F28_SHU = 1;
    a.F28_LMT = yen(limit);
    return a;
}

TEST(DepreciationMonths, AFirstRowCountsTheAcquisitionMonthAFurtherRowStartsAfterThePreviousRow) {
    struct Case {
        std::int32_t current, start;
        bool first;
        std::int16_t months, status;
        std::int32_t counted;
    };
    const Case cases[] = {
        {202703, 202604, true, 12, CountInRange, 202703}, // across the year end as within it
        {202612, 202603, false, 9, CountInRange, 202612}, // after the previous row's month
        {203103, 203012, false, 3, CountAtLastMonth, 203103},
        {203112, 203012, false, 3, CountPastLastMonth, 203103}, // replaced by the last month
        {203212, 203012, false, 3, CountPastLastMonth, 203103}, // past the last month, never "over 12"
    };
    for (const Case& c : cases) {
        const MonthCount count = CountDepreciationMonths(asset(), c.current, c.start, c.first);
        EXPECT_EQ(count.months, c.months) << c.current << " " << c.start;
        EXPECT_EQ(count.status, c.status) << c.current << " " << c.start;
        EXPECT_EQ(count.current, c.counted) << c.current << " " << c.start;
    }
    data::F28Rec january = asset();
    january.F28_DAT = 20260131;
    EXPECT_EQ(LastDepreciationMonth(january), 203012);
}

TEST(DepreciationCategories, TheProposalFollowsTheRowAtOrBeforeTheYearMonth) {
    const std::vector<RowKey> none, first{{202612, NewRow}}, running{{202612, NewRow}, {203012, Depreciating}};
    const std::vector<RowKey> sold{{202712, Sold}};
    EXPECT_EQ(ProposeCategory(asset(), none, 202612), NewRow);
    EXPECT_EQ(ProposeCategory(asset(), first, 202611), NewRow);     // only later rows
    EXPECT_EQ(ProposeCategory(asset(), running, 203112), FinalRow); // past it
    EXPECT_EQ(ProposeCategory(asset(), sold, 202812), Sold);
}

TEST(DepreciationCategories, ANewRowOnlyComesFirstAndTheOthersFollowTheirCategories) {
    const PreviousRow none, afterNew{true, 202612, NewRow, {}}, afterRunning{true, 202712, Depreciating, {}};
    const PreviousRow afterFinal{true, 203103, FinalRow, {}};
    const std::tuple<std::int16_t, PreviousRow, bool> cases[] = {
        {NewRow, none, true},           {NewRow, afterNew, false},
        {Depreciating, none, false},    {Depreciating, afterNew, true},
        {FinalRow, afterRunning, true}, {FinalRow, afterFinal, false},
        {Completed, afterFinal, true},  {Completed, afterRunning, false},
        {Completed, none, false},       {Sold, none, true},
        {Scrapped, afterFinal, true}};
    for (const auto& [category, previous, allowed] : cases)
        EXPECT_EQ(CategoryFollows(category, previous), allowed) << category << " after " << previous.category;
}

// The declining-balance examples (276,750, 266,879, the completed 54,081) are checked as the rows window
// computes them, in its chain over the whole life.
TEST(DepreciationComputation, TheRateIsUsedAsItsSinglePrecisionValue) {
    data::F50Rec row = SeedRow(asset(0, 0.369f, 500, 475), 202703, NewRow);
    CalcDepreciation(asset(0, 0.369f, 500, 475), {}, row);
    EXPECT_EQ(row.F50_CAL, yen(184)); // 184.4999... + 0.5, not 185
}

TEST(DepreciationComputation, StraightLineRowsShareNinetyPercentOfTheCostAsTheirBase) {
    const data::F28Rec a = asset(1, 0.2f);
    data::F50Rec first = SeedRow(a, 202612, NewRow);
    CalcDepreciation(a, {}, first);
    EXPECT_EQ(first.F50_GRS, yen(900'000));
    EXPECT_EQ(first.F50_CAL, yen(135'000));
    data::F50Rec second = SeedRow(a, 202712, Depreciating);
    PreviousRow previous;
    SeedAfter(a, first, second, previous);
    CalcDepreciation(a, previous, second);
    EXPECT_EQ(second.F50_GRS, yen(900'000));
    EXPECT_EQ(second.F50_CAL, yen(180'000));
    EXPECT_EQ(second.F50_CLS, yen(315'000));
    EXPECT_EQ(StraightLineBase(asset(1, 0.2f, 15, 15)), yen(14)); // 13.5 rounds up
}

TEST(DepreciationComputation, SoldAndScrappedRowsTakeNoMonths) {
    const data::F28Rec a = asset();
    for (const std::int16_t category : {Sold, Scrapped}) {
        data::F50Rec row = SeedRow(a, 202812, category);
        CalcDepreciation(a, {true, 202712, Depreciating, yen(543'629)}, row);
        EXPECT_EQ(row.F50_MTH, 0);
        EXPECT_EQ(row.F50_CAL, Currency());
        EXPECT_EQ(row.F50_CLS, yen(543'629));
    }
}

TEST(DepreciationComputation, ARowOverTwelveMonthsIsLeftAsItWas) {
    const data::F28Rec a = asset();
    data::F50Rec row = SeedRow(a, 202812, Depreciating);
    row.F50_CAL = yen(5);
    EXPECT_EQ(CalcDepreciation(a, {true, 202612, NewRow, yen(276'750)}, row).status, CountOverTwelve);
    EXPECT_EQ(row.F50_CAL, yen(5));
    EXPECT_EQ(row.F50_MTH, 0);
}

} // namespace
