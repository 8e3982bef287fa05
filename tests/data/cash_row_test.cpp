#include "data/cash_row.h"

#include "data/control_row.h"
#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;
using db::Currency;

namespace {

std::string storedMonthText(data::ProgramState& s, const std::string& field) {
    return s.MainDatabase->openSnapshot("SELECT " + field + " FROM F46TB WHERE F46_RNO = ?", {1})
        ->field(field)
        .asText();
}

} // namespace

TEST(CashRow, OnlyGetCreatesTheMissingRowAndMakesItZeros) {
    OpenState open(true);
    auto& s = open.state;
    EXPECT_EQ(statusOf(data::F46Access, s, "PUT"), 9);
    EXPECT_EQ(open.messages.shown, std::vector<std::string>{data::MissingRowMessage});
    EXPECT_EQ(statusOf(data::F46Access, s, "get"), 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F46TB"), 0);

    s.F46Record.F46_RM1 = Currency::fromWhole(5);
    s.F46Record.Amt[3][12] = Currency::fromWhole(5);
    EXPECT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F46TB"), 1);
    EXPECT_EQ(s.F46Record.F46_RM1, Currency());
    EXPECT_EQ(s.F46Record.Amt, decltype(s.F46Record.Amt){});
    EXPECT_EQ(storedMonthText(s, "F46_GAMT3"), std::string(120, '0'));
}

// The widest amounts a slot takes, minus zero and halves; the other fields of the row come back too.
TEST(CashRow, PutRoundsToWholeAmountsAndGetGivesBackTheEdgesAndTheOtherFields) {
    OpenState open;
    auto& s = open.state;
    ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    const double amounts[] = {2'147'483'647, -999'999'999, 1'000'000'000, -0.0, 12.5, -12.5, 12.4};
    for (int m = 1; m <= 7; ++m)
        s.F46Record.Amt[1][m] = Currency::fromDouble(amounts[m - 1]); // halves away from zero
    s.F46Record.F46_RM1 = Currency::fromWhole(-3'000'000'000);
    s.F46Record.F46_DUM = "reserved";
    ASSERT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
    EXPECT_EQ(storedMonthText(s, "F46_GAMT1").substr(0, 70),
              "2147483647-999999999100000000000000000000000000013-0000000130000000012");

    s.F46Record = {};
    ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    EXPECT_EQ(s.F46Record.Amt[1][1], Currency::fromWhole(2'147'483'647));
    EXPECT_EQ(s.F46Record.Amt[1][2], Currency::fromWhole(-999'999'999));
    EXPECT_EQ(s.F46Record.F46_RM1, Currency::fromWhole(-3'000'000'000));
    EXPECT_EQ(s.F46Record.F46_DUM.trimmed(), "reserved");
}

// Each write gives every slot of every kind a value of its own, so a month or a kind written into
// another's place, or left as the first write had it, shows.
TEST(CashRow, EveryWriteReplacesEachMonthOfReceiptsPaymentsAndBalancesInItsOwnSlot) {
    OpenState open;
    auto& s = open.state;
    ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    for (const int sign : {1, -1}) {
        std::string expected[4];
        for (int k = 1; k <= 3; ++k) {
            for (int m = 1; m <= 12; ++m) {
                const int digits = k * 100'000 + m * 100 + 1; // six digits: kind, month, and never 0
                s.F46Record.Amt[k][m] = Currency::fromWhole(sign * digits);
                expected[k] += (sign > 0 ? "0000" : "-000") + std::to_string(digits);
            }
        }
        const auto written = s.F46Record.Amt;
        ASSERT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ(storedMonthText(s, "F46_GAMT" + std::to_string(k)), expected[k]) << sign;
        s.F46Record.Amt = {};
        ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
        for (int k = 1; k <= 3; ++k)
            for (int m = 1; m <= 12; ++m)
                EXPECT_EQ(s.F46Record.Amt[k][m], written[k][m]) << sign << " kind " << k << " month " << m;
    }
}

TEST(CashRow, AmountsTheSlotsCannotHoldAreNeitherWrittenNorRead) {
    for (const std::int64_t amount : {2'147'483'648LL, -1'000'000'000LL}) {
        OpenState open;
        auto& s = open.state;
        ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
        s.F46Record.Amt[1][1] = Currency::fromWhole(100);
        s.F46Record.Amt[2][7] = Currency::fromWhole(amount);
        EXPECT_EQ(statusOf(data::F46Access, s, "PUT"), 9) << amount;
        ASSERT_EQ(open.messages.shown.size(), 1u) << amount;
        EXPECT_NE(open.messages.shown[0].find("第7月の出金"), std::string::npos) << open.messages.shown[0];
        EXPECT_EQ(storedMonthText(s, "F46_GAMT1"), std::string(120, '0')) << amount;
    }
    // Month texts made outside the system: a character short, a letter, a slot beyond 32 bits,
    // leading blanks.
    const std::string damaged[] = {std::string(119, '0'), std::string(50, '0') + "x" + std::string(69, '0'),
                                   "2147483648" + std::string(110, '0'), "     12345" + std::string(110, '0')};
    for (const auto& text : damaged) {
        OpenState open;
        auto& s = open.state;
        s.MainDatabase->execute("UPDATE F46TB SET F46_GAMT2 = ?, F46_RM1 = ?", {text, Currency::fromWhole(9)});
        s.F46Record.Amt[2][5] = Currency::fromWhole(88);
        EXPECT_EQ(statusOf(data::F46Access, s, "GET"), 9) << "[" << text << "]";
        ASSERT_EQ(open.messages.shown.size(), 1u) << "[" << text << "]";
        EXPECT_NE(open.messages.shown[0].find("出金"), std::string::npos);
        EXPECT_EQ(s.F46Record.Amt[2][5], Currency::fromWhole(88));
        EXPECT_EQ(s.F46Record.F46_RM1, Currency());
    }
}
