#include "journal/year_end.h"

#include "journal/closing_files.h"

#include <gtest/gtest.h>

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
        auto cash = cashRow();
        cash.F46_RM1 = db::Currency::fromWhole(1000);
        cash.Amt[1][1] = db::Currency::fromWhole(500);
        cash.Amt[2][1] = db::Currency::fromWhole(120);
        cash.Amt[1][12] = db::Currency::fromWhole(30);
        cash.Amt[2][7] = db::Currency::fromWhole(60);
        cash.Amt[3][5] = db::Currency::fromWhole(999999);
        cash.F46_RM2 = db::Currency::fromWhole(888888);
        s.F46Record = cash;
        data::F46Access(s, "PUT", status);
    }

    std::vector<int> remainingLineDates() {
        std::vector<int> dates;
        auto lines = s.MainDatabase->openSnapshot("SELECT F45_YMD FROM F45TB ORDER BY F45_YMD");
        for (; !lines->eof(); lines->moveNext())
            dates.push_back(static_cast<int>(lines->field(0).asInt()));
        return dates;
    }
};

} // namespace

TEST(YearEnd, ClosingAYearDeletesItsLinesClearsTheFiguresAndCarriesTheCashForward) {
    ClosedYearFile file;
    ASSERT_EQ(file.closeYear("436", 20250110), RunOutcome::Finished);

    EXPECT_EQ(file.remainingLineDates(), std::vector<int>{20250101});
    for (int srt : {0, 2})
        EXPECT_EQ(file.figures(1, 10, srt), SubjectFigures{}) << srt;
    auto names = file.s.MainDatabase->openSnapshot("SELECT F21_NAM, F21_IO, F21_CSH FROM F21TB WHERE F21_SRT = 2");
    EXPECT_EQ(data::trimText(names->field(0).asText()), "科目10-2");
    EXPECT_EQ(names->field(1).asInt(), 1);
    EXPECT_EQ(names->field(2).asInt(), 1);

    const auto cash = file.cashRow();
    EXPECT_EQ(cash.F46_RM1.roundedWhole(), 1000 + 500 - 120 + 30 - 60);
    EXPECT_EQ(cash.F46_RM2.roundedWhole(), 0);
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            EXPECT_EQ(cash.Amt[k][m].roundedWhole(), 0) << k << "/" << m;

    std::int16_t status = -1;
    data::F01Access(file.s, "GET", status);
    EXPECT_EQ(file.s.F01Record.F01_UPD, 20250110);
    EXPECT_EQ(file.s.F01Record.F01_DNO, 3);
    EXPECT_EQ(file.s.F01Record.F01_STMM, 4);

    EXPECT_EQ(file.dialog.texts[10], "          2");
    EXPECT_EQ(file.dialog.texts[11], "          3");
    EXPECT_EQ(file.dialog.texts[12], "          1");
    EXPECT_EQ(file.dialog.phases,
              (std::vector<std::string>{"勘定科目テーブルの集計結果を消去します。",
                                        "本年度までの伝票データを消去します。", "現金残高表の集計結果を消去します。"}));
}

TEST(YearEnd, TheUserIsAskedFirstAndNoChangesNothing) {
    ClosedYearFile file;
    const auto before = file.everyRow();
    file.open.messages.answers.push_back(platform::Answer::No);
    EXPECT_EQ(file.closeYear("436", 20250110), RunOutcome::Declined);
    EXPECT_EQ(file.everyRow(), before);
    ASSERT_EQ(file.open.messages.shown.size(), 1u);
    EXPECT_EQ(file.open.messages.shown[0],
              "平成36年12月31日までの伝票データ 3件を削除し、年次〆を行います。よろしいですか。");
    EXPECT_TRUE(file.dialog.phases.empty());
    EXPECT_EQ(file.s.F01Record.F01_UPD, 0);
}

TEST(YearEnd, ASecondClosingDeletesNothingAndKeepsTheCarriedBalance) {
    ClosedYearFile file;
    ASSERT_EQ(file.closeYear("436", 20250110), RunOutcome::Finished);
    const long long carried = file.cashRow().F46_RM1.roundedWhole();
    ASSERT_EQ(file.closeYear("436", 20250299), RunOutcome::Finished);
    EXPECT_EQ(file.dialog.texts[11], "          0");
    EXPECT_EQ(file.cashRow().F46_RM1.roundedWhole(), carried);
    EXPECT_EQ(file.open.messages.shown.back(),
              "平成36年12月31日までの伝票データ 0件を削除し、年次〆を行います。よろしいですか。");
    // The closing date is stored as a real date, never with day 99.
    std::int16_t status = -1;
    data::F01Access(file.s, "GET", status);
    EXPECT_EQ(file.s.F01Record.F01_UPD, 20250228);
}

TEST(YearEnd, AMissingCashRowIsCreatedAndClosedWithNothingCarried) {
    ClosingFile file;
    file.addLine(20241201, 1, 1, 1, 10, 0, 0, 400);
    ASSERT_EQ(file.closeYear("436", 20250110), RunOutcome::Finished);
    const auto cash = file.cashRow();
    EXPECT_EQ(cash.F46_RM1.roundedWhole(), 0);
    EXPECT_EQ(file.dialog.texts[11], "          1");
}

TEST(YearEnd, AFailedClosingLeavesTheFileAsItWas) {
    ClosedYearFile file;
    file.failWritesOf("F01TB"); // the last write of the closing
    const auto before = file.everyRow();
    EXPECT_EQ(file.closeYear("436", 20250110), RunOutcome::Failed);
    EXPECT_EQ(file.everyRow(), before);
    ASSERT_EQ(file.open.messages.shown.size(), 2u);
    EXPECT_EQ(file.open.messages.shown[1].rfind("Err.Number = ", 0), 0u) << file.open.messages.shown[1];
    EXPECT_EQ(file.s.F01Record.F01_UPD, 0);
    EXPECT_FALSE(file.s.MainDatabase->inTransaction());
}
