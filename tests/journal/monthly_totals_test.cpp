#include "journal/monthly_totals.h"

#include "journal/closing_files.h"

#include <gtest/gtest.h>

using namespace testing_support;
using journal::RunOutcome;

namespace {

// Era 4 year 38 is 2026 under the default era table; March is "43803".
std::string period2026(int month) { return "438" + std::string(month < 10 ? "0" : "") + std::to_string(month); }

int march(int day) { return 20260300 + day; }

} // namespace

TEST(MonthlyTotals, TheCalendarMonthLandsInItsFiscalMonthSlot) {
    struct Case {
        int firstMonth, month, slot;
    };
    const Case cases[] = {{1, 1, 1}, {1, 12, 12}, {4, 4, 1}, {4, 3, 12}, {4, 12, 9}, {4, 1, 10}, {10, 9, 12}};
    for (const auto &c : cases)
        EXPECT_EQ(journal::FiscalMonthSlot(c.month, c.firstMonth), c.slot) << c.firstMonth << "/" << c.month;

    for (const auto &c : {cases[0], cases[1], cases[2], cases[3]}) {
        ClosingFile file(static_cast<std::int16_t>(c.firstMonth));
        file.addSubject(1, 100, 0, 0, 1);
        file.addLine(20260000 + c.month * 100 + 15, 1, 1, 1, 100, 0, 0, 500);
        ASSERT_EQ(file.runMonth(period2026(c.month)), RunOutcome::Finished);
        const auto figures = file.figures(1, 100, 0);
        for (int m = 1; m <= 12; ++m)
            EXPECT_EQ(figures[m], m == c.slot ? 500 : 0) << c.firstMonth << "/" << m;
        EXPECT_EQ(figures[13], 500);
    }
}

TEST(MonthlyTotals, DetailsGetTheirOwnNetAndTheSubjectRowTheNetOfAllItsLines) {
    ClosingFile file;
    file.addSubject(1, 500, 0, 1, 1); // payment subject
    file.addSubject(1, 500, 1, 1, 1);
    file.addSubject(1, 500, 2, 0, 1); // a detail in the receipt direction
    file.addSubject(2, 600, 1, 0, 1); // a detail whose subject has no row
    file.addLine(march(2), 1, 1, 1, 500, 0, 1, 10000);
    file.addLine(march(3), 2, 1, 1, 500, 0, 0, 3000);
    file.addLine(march(4), 3, 1, 1, 500, 1, 1, 2000);
    file.addLine(march(5), 4, 1, 1, 500, 2, 0, 800);
    file.addLine(march(5), 4, 2, 1, 500, 2, 1, 300);
    file.addLine(march(6), 5, 1, 1, 500, 7, 1, 50);    // detail without a row
    file.addLine(march(7), 6, 1, 1, 500, 0, 2, 99999); // a direction that is neither
    file.addLine(march(8), 7, 1, 2, 600, 1, 0, 400);
    file.addLine(20260228, 8, 1, 1, 500, 0, 1, 7777); // other months
    file.addLine(20260401, 9, 1, 1, 500, 1, 1, 7777);

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);

    EXPECT_EQ(file.figure(1, 500, 0, 3), 12350 - 3800);
    EXPECT_EQ(file.figure(1, 500, 1, 3), 2000);
    EXPECT_EQ(file.figure(1, 500, 2, 3), 500);
    EXPECT_EQ(file.figure(2, 600, 1, 3), 400);
    EXPECT_EQ(file.figures(1, 500, 0)[13], 8550);
    EXPECT_EQ(file.dialog.texts[10], "          4");
    EXPECT_EQ(file.dialog.texts[11], "          8");
    EXPECT_EQ(file.dialog.texts[12], "          1");
    EXPECT_EQ(file.dialog.phases,
              (std::vector<std::string>{"勘定科目テーブルの当月度集計領域を消去します。",
                                        "伝票データを勘定科目ﾌｧｲﾙに集計します。 ", "現金残高を計算します。"}));
}

TEST(MonthlyTotals, ReceiptAndPaymentSubjectsTakeOppositeSigns) {
    ClosingFile file;
    file.addSubject(1, 700, 0, 0, 1);
    file.addSubject(1, 800, 0, 1, 1);
    for (int act : {700, 800}) {
        file.addLine(march(10), act, 1, 1, act, 0, 1, 10000);
        file.addLine(march(11), act, 1, 1, act, 0, 0, 3000);
    }
    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    EXPECT_EQ(file.figure(1, 700, 0, 3), -7000);
    EXPECT_EQ(file.figure(1, 800, 0, 3), 7000);
}

TEST(MonthlyTotals, CashIsJudgedByTheDetailRowAndElseByTheSubjectsOwnRow) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0);                 // a cash-book subject ...
    file.addSubject(1, 10, 1, 0, 1);                 // ... with a detail that is not
    file.addSubject(1, 20, 0, 1, 1);                 // not a cash-book subject ...
    file.addSubject(1, 20, 1, 1, 0);                 // ... with a detail that is
    file.addLine(march(1), 1, 1, 1, 10, 0, 0, 1000); // cash
    file.addLine(march(1), 1, 2, 1, 10, 1, 0, 200);  // not cash: the detail decides
    file.addLine(march(1), 1, 3, 1, 10, 5, 1, 300);  // cash: no detail row, the subject decides
    file.addLine(march(1), 1, 4, 1, 10, 0, 2, 60);   // cash, but neither receipt nor payment
    file.addLine(march(2), 2, 1, 1, 20, 1, 1, 40);   // cash: the detail decides
    file.addLine(march(2), 2, 2, 1, 20, 0, 1, 5);    // not cash
    file.addLine(march(2), 2, 3, 1, 99, 0, 0, 9);    // no subject row: not cash

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    const auto cash = file.cashRow();
    EXPECT_EQ(cash.Amt[1][3].roundedWhole(), 1000);
    EXPECT_EQ(cash.Amt[2][3].roundedWhole(), 340);
}

TEST(MonthlyTotals, AMonthWithoutLinesClearsItsFiguresAndItsCash) {
    ClosingFile file;
    file.addSubject(1, 100, 0, 0, 0, {100, 0, 700});
    auto cash = file.cashRow();
    cash.F46_RM1 = db::Currency::fromWhole(1000);
    cash.Amt[1][3] = db::Currency::fromWhole(500);
    cash.Amt[2][3] = db::Currency::fromWhole(200);
    cash.Amt[1][4] = db::Currency::fromWhole(50);
    file.s.F46Record = cash;
    std::int16_t status = -1;
    data::F46Access(file.s, "PUT", status);
    ASSERT_EQ(status, 0);

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    const auto figures = file.figures(1, 100, 0);
    EXPECT_EQ(figures[1], 100);
    EXPECT_EQ(figures[3], 0);
    EXPECT_EQ(figures[13], 100);
    EXPECT_EQ(file.dialog.texts[11], "          0");
    cash = file.cashRow();
    EXPECT_EQ(cash.Amt[1][3].roundedWhole(), 0);
    EXPECT_EQ(cash.Amt[2][3].roundedWhole(), 0);
    EXPECT_EQ(cash.Amt[1][4].roundedWhole(), 50);
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(cash.Amt[3][m].roundedWhole(), m < 4 ? 1000 : 1050) << m;
    EXPECT_EQ(cash.F46_RM2.roundedWhole(), 1050);
}

TEST(MonthlyTotals, TheCashRowGetsTheMonthsCashAndRunningBalancesOverTheStoredMonths) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0);
    file.addLine(march(3), 1, 1, 1, 10, 0, 0, 2000);
    file.addLine(march(9), 2, 1, 1, 10, 0, 1, 700);
    auto cash = file.cashRow();
    cash.F46_RM1 = db::Currency::fromWhole(10000);
    cash.Amt[1][1] = db::Currency::fromWhole(500); // typed in the cash balance window
    cash.Amt[2][1] = db::Currency::fromWhole(100);
    cash.Amt[1][3] = db::Currency::fromWhole(9999); // replaced by the lines
    cash.Amt[2][3] = db::Currency::fromWhole(9999);
    cash.Amt[2][12] = db::Currency::fromWhole(1000);
    file.s.F46Record = cash;
    std::int16_t status = -1;
    data::F46Access(file.s, "PUT", status);
    ASSERT_EQ(status, 0);

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    cash = file.cashRow();
    EXPECT_EQ(cash.F46_RM1.roundedWhole(), 10000);
    EXPECT_EQ(cash.Amt[1][1].roundedWhole(), 500);
    EXPECT_EQ(cash.Amt[2][1].roundedWhole(), 100);
    EXPECT_EQ(cash.Amt[1][3].roundedWhole(), 2000);
    EXPECT_EQ(cash.Amt[2][3].roundedWhole(), 700);
    const long long balances[] = {0,     10400, 10400, 11700, 11700, 11700, 11700,
                                  11700, 11700, 11700, 11700, 11700, 10700};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(cash.Amt[3][m].roundedWhole(), balances[m]) << m;
    EXPECT_EQ(cash.F46_RM2.roundedWhole(), 10700);
}

TEST(MonthlyTotals, RunningAMonthAgainGivesTheSameFiguresAndOtherMonthsLeaveIt) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0);
    file.addSubject(1, 10, 3, 1, 0);
    file.addLine(march(3), 1, 1, 1, 10, 0, 0, 2000);
    file.addLine(march(4), 2, 1, 1, 10, 3, 1, 700);
    file.addLine(20260410, 3, 1, 1, 10, 3, 1, 20);

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    const auto once = file.everyRow();
    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    EXPECT_EQ(file.everyRow(), once);

    ASSERT_EQ(file.runMonth(period2026(4)), RunOutcome::Finished);
    EXPECT_EQ(file.figure(1, 10, 0, 3), 1300);
    EXPECT_EQ(file.figure(1, 10, 3, 3), 700);
    EXPECT_EQ(file.figure(1, 10, 0, 4), -20);
    EXPECT_EQ(file.figures(1, 10, 0)[13], 1280);
}

TEST(MonthlyTotals, AFailedRunLeavesTheFileAsItWasAndIsNotReportedAsFinished) {
    // A database error while the cash row is written, after every subject figure has been changed.
    {
        ClosingFile file;
        file.addSubject(1, 10, 0, 0, 0, {0, 0, 123});
        file.addLine(march(3), 1, 1, 1, 10, 0, 0, 2000);
        file.cashRow();
        file.failWritesOf("F46TB");
        const auto before = file.everyRow();
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Failed);
        EXPECT_EQ(file.everyRow(), before);
        ASSERT_EQ(file.open.messages.shown.size(), 1u);
        EXPECT_EQ(file.open.messages.shown[0].rfind("Err.Number = ", 0), 0u) << file.open.messages.shown[0];
        EXPECT_NE(file.open.messages.shown[0].find("disk I/O error"), std::string::npos);
        EXPECT_FALSE(file.s.MainDatabase->inTransaction());
        // The file stays usable: once the fault is gone the month runs.
        file.s.MainDatabase->execute("DROP TRIGGER refuse_F46TB");
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
        EXPECT_EQ(file.figure(1, 10, 0, 3), 2000);
    }
    // A month's cash the cash row cannot hold: the row refuses it and the subjects keep their figures.
    {
        ClosingFile file;
        file.addSubject(1, 10, 0, 0, 0, {0, 0, 123});
        file.addLine(march(3), 1, 1, 1, 10, 0, 0, 3'000'000'000LL);
        file.cashRow();
        const auto before = file.everyRow();
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Failed);
        EXPECT_EQ(file.everyRow(), before);
        EXPECT_EQ(file.open.messages.shown.size(), 1u);
    }
}
