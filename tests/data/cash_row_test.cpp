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

TEST(CashRow, PutPacksEachMonthIntoTenCharactersAndGetGivesBackEveryWholeAmount) {
    OpenState open;
    auto& s = open.state;
    ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    const std::int64_t samples[] = {0, 1, -1, 1500, -20, 999'999'999, -999'999'999, 2'147'483'647, 1'000'000'000};
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            s.F46Record.Amt[k][m] = Currency::fromWhole(samples[(k * 12 + m) % 9]);
    s.F46Record.Amt[1][3] = -Currency::fromWhole(0);
    s.F46Record.F46_RM1 = Currency::fromWhole(-3'000'000'000);
    s.F46Record.F46_DUM = "reserved";
    const auto written = s.F46Record.Amt;
    ASSERT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
    EXPECT_EQ(storedMonthText(s, "F46_GAMT1").substr(20, 10), "0000000000"); // month 3, minus zero

    s.F46Record = {};
    ASSERT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    EXPECT_EQ(s.F46Record.Amt, written);
    EXPECT_EQ(s.F46Record.F46_RM1, Currency::fromWhole(-3'000'000'000));
    EXPECT_EQ(s.F46Record.F46_DUM.trimmed(), "reserved");

    s.F46Record.Amt[3][1] = Currency::fromDouble(12.5); // halves away from zero
    s.F46Record.Amt[3][2] = Currency::fromDouble(-12.5);
    s.F46Record.Amt[3][3] = Currency::fromDouble(12.4);
    EXPECT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
    EXPECT_EQ(storedMonthText(s, "F46_GAMT3").substr(0, 30), "0000000013-0000000130000000012");
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
    for (const std::int64_t amount : {2'147'483'648LL, 10'000'000'000LL, -1'000'000'000LL}) {
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
    // Month texts made outside the system: empty, a character short, a letter, a slot beyond 32 bits,
    // a doubled sign, leading blanks. One wider than its field the read itself refuses.
    const std::string damaged[] = {"",
                                   std::string(119, '0'),
                                   std::string(50, '0') + "x" + std::string(69, '0'),
                                   "2147483648" + std::string(110, '0'),
                                   "--00000001" + std::string(110, '0'),
                                   "     12345" + std::string(110, '0')};
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
