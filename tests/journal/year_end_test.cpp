#include "journal/year_end.h"

#include "journal/closing_files.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;
using journal::RunOutcome;

namespace {

// A year of lines around the end of 2024 (era 4 year 36 under the default era table), with figures
// and a cash row whose stored balances disagree with its months.
struct ClosedYearFile : ClosingFile {
    ClosedYearFile() : ClosingFile(4) {
        addSubject(1, 10, 0, 0, 0, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
        addSubject(1, 10, 2, 1, 1, {1});
        addLine(20230505, 1, 1, 1, 10, 0, 0, 100);
        addLine(20241231, 2, 1, 1, 10, 0, 1, 200);
        addLine(20241231, 2, 2, 1, 10, 2, 1, 300);
        addLine(20250101, 3, 1, 1, 10, 0, 0, 400);
        s.F01Record.F01_DNO = 3;
        std::int16_t status = -1;
        data::F01Access(s, "PUT", status);
        storeCash([](data::F46Rec& cash) {
            cash.F46_RM1 = db::Currency::fromWhole(1000);
            cash.Amt[1][1] = db::Currency::fromWhole(500);
            cash.Amt[2][1] = db::Currency::fromWhole(120);
            cash.Amt[1][12] = db::Currency::fromWhole(30);
            cash.Amt[2][7] = db::Currency::fromWhole(60);
            cash.Amt[3][5] = db::Currency::fromWhole(999999);
            cash.F46_RM2 = db::Currency::fromWhole(888888);
        });
    }
    // The control row as stored.
    const data::F01Rec& controlRow() {
        std::int16_t status = -1;
        data::F01Access(s, "GET", status);
        return s.F01Record;
    }
};

} // namespace

TEST(YearEnd, ClosingAYearDeletesItsLinesClearsTheFiguresAndCarriesTheCashForward) {
    ClosedYearFile file;
    ASSERT_EQ(file.closeYear("436", 20250110), RunOutcome::Finished);

    auto lines = file.s.MainDatabase->openSnapshot("SELECT F45_YMD FROM F45TB");
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->field(0).asInt(), 20250101);
    for (int srt : {0, 2})
        EXPECT_EQ(file.figures(1, 10, srt), SubjectFigures{}) << srt;
    auto kept = file.s.MainDatabase->openSnapshot("SELECT F21_NAM, F21_IO, F21_CSH FROM F21TB WHERE F21_SRT = 2");
    EXPECT_EQ(data::trimText(kept->field(0).asText()), "科目10-2");
    EXPECT_EQ(kept->field(1).asInt() + kept->field(2).asInt(), 2);

    const auto cash = file.cashRow();
    EXPECT_EQ(cash.F46_RM1.roundedWhole(), 1000 + 500 - 120 + 30 - 60);
    EXPECT_EQ(cash.F46_RM2.roundedWhole(), 0);
    for (int kind = 1; kind <= 3; ++kind)
        EXPECT_EQ(file.cash(kind), std::vector<long long>(12)) << kind;
    const data::F01Rec& control = file.controlRow();
    EXPECT_EQ(std::make_tuple(control.F01_UPD, control.F01_DNO, control.F01_STMM), std::make_tuple(20250110, 3, 4));
    EXPECT_EQ(file.dialog.texts[10] + file.dialog.texts[11] + file.dialog.texts[12],
              "          2          3          1");
}

TEST(YearEnd, ASecondClosingDeletesNothingKeepsTheCarriedBalanceAndStoresARealDate) {
    ClosedYearFile file;
    ASSERT_EQ(file.closeYear("436", 20250110), RunOutcome::Finished);
    const long long carried = file.cashRow().F46_RM1.roundedWhole();
    ASSERT_EQ(file.closeYear("436", 20250299), RunOutcome::Finished);
    EXPECT_EQ(file.dialog.texts[11], "          0");
    EXPECT_EQ(file.cashRow().F46_RM1.roundedWhole(), carried);
    EXPECT_EQ(file.open.messages.shown.back(),
              "平成36年12月31日までの伝票データ 0件を削除し、年次〆を行います。よろしいですか。");
    EXPECT_EQ(file.controlRow().F01_UPD, 20250228);
}

TEST(YearEnd, AFailedClosingLeavesTheFileAsItWas) {
    ClosedYearFile file;
    file.failWritesOf("F01TB"); // the last write of the closing
    const auto before = file.everyRow();
    EXPECT_EQ(file.closeYear("436", 20250110), RunOutcome::Failed);
    EXPECT_EQ(file.everyRow(), before);
    ASSERT_EQ(file.open.messages.shown.size(), 2u); // the question, then the failure
    EXPECT_EQ(file.open.messages.shown[1].rfind("Err.Number = ", 0), 0u) << file.open.messages.shown[1];
    EXPECT_EQ(file.s.F01Record.F01_UPD, 0);
    EXPECT_FALSE(file.s.MainDatabase->inTransaction());
}
