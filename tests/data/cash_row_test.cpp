#include "data/cash_row.h"

#include "data/control_row.h"
#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;
using db::Currency;

namespace {

std::string storedMonthText(data::ProgramState &s, const std::string &field) {
    auto rows = s.MainDatabase->openSnapshot("SELECT " + field + " FROM F46TB WHERE F46_RNO = ?", {1});
    return rows->eof() ? std::string("<no row>") : rows->field(field).asText();
}

// A state whose cash row exists (made by a first GET).
struct CashRowFile {
    CashRowFile() : open(true) {
        std::int16_t status = -1;
        data::F46Access(open.state, "GET", status);
        EXPECT_EQ(status, 0);
    }
    OpenState open;
    data::ProgramState &s = open.state;
};

} // namespace

TEST(CashRow, GetOnAnEmptyTableCreatesTheDefaultRowOfZeros) {
    OpenState open(true);
    auto &s = open.state;
    s.F46Record.F46_RM1 = Currency::fromWhole(5);
    s.F46Record.Amt[3][12] = Currency::fromWhole(5);
    std::int16_t status = -1;
    data::F46Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F46TB"), 1);
    EXPECT_EQ(s.F46Record.F46_RNO, 1);
    EXPECT_EQ(s.F46Record.F46_RM1, Currency());
    EXPECT_EQ(s.F46Record.F46_RM2, Currency());
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            EXPECT_EQ(s.F46Record.Amt[k][m], Currency()) << k << "/" << m;
    EXPECT_EQ(s.F46Record.F46_GAMT1.str(), std::string(120, '0'));
    EXPECT_EQ(storedMonthText(s, "F46_GAMT3"), std::string(120, '0'));
}

TEST(CashRow, PutPacksEachMonthIntoTenCharacters) {
    CashRowFile file;
    auto &s = file.s;
    s.F46Record.Amt[1][1] = Currency::fromWhole(1500);
    s.F46Record.Amt[1][2] = Currency::fromWhole(-20);
    s.F46Record.Amt[1][3] = -Currency::fromWhole(0);
    s.F46Record.Amt[2][12] = Currency::fromWhole(7);
    s.F46Record.Amt[3][1] = Currency::fromDouble(12.5); // halves away from zero
    s.F46Record.Amt[3][2] = Currency::fromDouble(-12.5);
    s.F46Record.Amt[3][3] = Currency::fromDouble(12.4);
    std::int16_t status = -1;
    data::F46Access(s, "PUT", status);
    EXPECT_EQ(status, 0);
    const std::string receipts = storedMonthText(s, "F46_GAMT1");
    ASSERT_EQ(receipts.size(), 120u);
    EXPECT_EQ(receipts.substr(0, 30), "0000001500-0000000200000000000");
    EXPECT_EQ(storedMonthText(s, "F46_GAMT2").substr(110), "0000000007");
    EXPECT_EQ(storedMonthText(s, "F46_GAMT3").substr(0, 30), "0000000013-0000000130000000012");
}

TEST(CashRow, WholeAmountsWithinTheSlotRangeSurviveAPutAndAGet) {
    CashRowFile file;
    auto &s = file.s;
    const std::int64_t samples[] = {0, 1, -1, 1500, -20, 999'999'999, -999'999'999, 2'147'483'647, 1'000'000'000};
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            s.F46Record.Amt[k][m] = Currency::fromWhole(samples[(k * 12 + m) % 9]);
    s.F46Record.F46_RM1 = Currency::fromWhole(-3'000'000'000);
    s.F46Record.F46_RM2 = Currency::fromWhole(123);
    s.F46Record.F46_DUM = "reserved";
    const auto written = s.F46Record.Amt;
    std::int16_t status = -1;
    data::F46Access(s, "PUT", status);
    ASSERT_EQ(status, 0);

    s.F46Record = {};
    data::F46Access(s, "GET", status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(s.F46Record.Amt, written);
    EXPECT_EQ(s.F46Record.F46_RM1, Currency::fromWhole(-3'000'000'000));
    EXPECT_EQ(s.F46Record.F46_RM2, Currency::fromWhole(123));
    EXPECT_EQ(s.F46Record.F46_DUM.trimmed(), "reserved");
    EXPECT_EQ(s.F46Record.F46_GAMT2.str(), storedMonthText(s, "F46_GAMT2"));
}

TEST(CashRow, PutRefusesAmountsTheSlotsCannotHoldAndWritesNothing) {
    const std::int64_t outOfRange[] = {2'147'483'648, 9'999'999'999, 10'000'000'000, -1'000'000'000};
    for (const auto amount : outOfRange) {
        CashRowFile file;
        auto &s = file.s;
        s.F46Record.Amt[1][1] = Currency::fromWhole(100);
        s.F46Record.Amt[2][7] = Currency::fromWhole(amount);
        s.F46Record.F46_RM1 = Currency::fromWhole(50);
        std::int16_t status = -1;
        data::F46Access(s, "PUT", status);
        EXPECT_EQ(status, 9) << amount;
        ASSERT_EQ(file.open.messages.shown.size(), 1u) << amount;
        EXPECT_NE(file.open.messages.shown[0].find("第7月の出金"), std::string::npos) << file.open.messages.shown[0];
        EXPECT_EQ(storedMonthText(s, "F46_GAMT1"), std::string(120, '0')) << amount;
        EXPECT_EQ(storedMonthText(s, "F46_GAMT2"), std::string(120, '0')) << amount;
        EXPECT_EQ(s.MainDatabase->openSnapshot("SELECT F46_RM1 FROM F46TB")->field("F46_RM1").asCurrency(), Currency())
            << amount;
    }
}

TEST(CashRow, GetOfADamagedMonthTextTellsTheUserAndKeepsTheBuffer) {
    const std::string damaged[] = {
        "",                    // a row made outside the system
        std::string(119, '0'), // one character short
        std::string(121, '0'), // one too many
        std::string(50, '0') + "x" + std::string(69, '0'),
        "2147483648" + std::string(110, '0'), // fits the slot, not a 32-bit number
        "--00000001" + std::string(110, '0'),
        "     12345" + std::string(110, '0'),
    };
    for (const auto &text : damaged) {
        CashRowFile file;
        auto &s = file.s;
        s.MainDatabase->execute("UPDATE F46TB SET F46_GAMT2 = ?, F46_RM1 = ?", {text, Currency::fromWhole(9)});
        s.F46Record.Amt[1][1] = Currency::fromWhole(77);
        s.F46Record.Amt[2][5] = Currency::fromWhole(88);
        std::int16_t status = -1;
        data::F46Access(s, "GET", status);
        EXPECT_EQ(status, 9) << "[" << text << "]";
        ASSERT_EQ(file.open.messages.shown.size(), 1u) << "[" << text << "]";
        EXPECT_NE(file.open.messages.shown[0].find("出金"), std::string::npos);
        EXPECT_EQ(s.F46Record.Amt[1][1], Currency::fromWhole(77));
        EXPECT_EQ(s.F46Record.Amt[2][5], Currency::fromWhole(88));
        EXPECT_EQ(s.F46Record.F46_RM1, Currency());
    }
}

TEST(CashRow, PutOnAnEmptyTableTellsTheUserAndCreatesNothing) {
    OpenState open(true);
    auto &s = open.state;
    std::int16_t status = -1;
    data::F46Access(s, "PUT", status);
    EXPECT_EQ(status, 9);
    ASSERT_EQ(open.messages.shown.size(), 1u);
    EXPECT_EQ(open.messages.shown[0], data::MissingRowMessage);
    EXPECT_EQ(countRows(*s.MainDatabase, "F46TB"), 0);

    data::F46Access(s, "get", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F46TB"), 0);
}
