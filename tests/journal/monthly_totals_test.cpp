#include "journal/monthly_totals.h"

#include "journal/closing_files.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;
using journal::RunOutcome;
using Months = std::vector<long long>;

namespace {

// Era 4 year 38 is 2026 under the default era table; March is "43803".
std::string period2026(int month) { return "438" + std::string(month < 10 ? "0" : "") + std::to_string(month); }

int march(int day) { return 20260300 + day; }

} // namespace

TEST(MonthlyTotals, TheCalendarMonthLandsInItsFiscalMonthSlot) {
    // First month, calendar month, slot; the first four are run on a file.
    const std::tuple<int, int, std::size_t> cases[] = {{1, 1, 1},  {1, 12, 12}, {4, 4, 1},  {4, 3, 12},
                                                       {4, 12, 9}, {4, 1, 10},  {10, 9, 12}};
    for (const auto& [first, month, slot] : cases)
        EXPECT_EQ(journal::FiscalMonthSlot(month, first), static_cast<int>(slot)) << first << "/" << month;
    for (const auto& [first, month, slot] : {cases[0], cases[1], cases[2], cases[3]}) {
        ClosingFile file(static_cast<std::int16_t>(first));
        file.addSubject(1, 100, 0, 0, 1);
        file.addLine(20260015 + month * 100, 1, 1, 1, 100, 0, 0, 500);
        ASSERT_EQ(file.runMonth(period2026(month)), RunOutcome::Finished);
        SubjectFigures expected{};
        expected[slot] = expected[13] = 500;
        EXPECT_EQ(file.figures(1, 100, 0), expected) << first << "/" << month;
    }
}

TEST(MonthlyTotals, EachRowNetsItsLinesByItsOwnDirectionAndTheSubjectRowTakesAllItsLines) {
    ClosingFile file;
    file.addSubject(1, 500, 0, 1, 1); // payment subject
    file.addSubject(1, 500, 1, 1, 1);
    file.addSubject(1, 500, 2, 0, 1); // a detail in the receipt direction
    file.addSubject(2, 600, 1, 0, 1); // a detail whose subject has no row
    file.addSubject(1, 700, 0, 0, 1); // receipt subject
    // Subject 500 on itself, on details 1 and 2, on detail 7 without a row and in a direction that is
    // neither; detail 600-1; subject 700; then lines of February and April.
    const std::vector<ClosingFile::Line> lines{
        {march(2), 1, 500, 0, 1, 10000}, {march(3), 1, 500, 0, 0, 3000}, {march(4), 1, 500, 1, 1, 2000},
        {march(5), 1, 500, 2, 0, 800},   {march(5), 1, 500, 2, 1, 300},  {march(6), 1, 500, 7, 1, 50},
        {march(7), 1, 500, 0, 2, 99999}, {march(8), 2, 600, 1, 0, 400},  {march(9), 1, 700, 0, 1, 10000},
        {march(9), 1, 700, 0, 0, 3000},  {20260228, 1, 500, 0, 1, 7777}, {20260401, 1, 500, 1, 1, 7777}};
    file.addLines(lines);
    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);

    EXPECT_EQ(file.figure(1, 500, 0, 3), 12350 - 3800);
    EXPECT_EQ(file.figure(1, 500, 1, 3), 2000);
    EXPECT_EQ(file.figure(1, 500, 2, 3), 500);
    EXPECT_EQ(file.figure(2, 600, 1, 3), 400);
    EXPECT_EQ(file.figure(1, 700, 0, 3), -7000);
    EXPECT_EQ(file.figure(1, 500, 0, 13), 8550);
    EXPECT_EQ(file.dialog.texts[10] + file.dialog.texts[11] + file.dialog.texts[12],
              "          5         10          1"); // subject rows, lines, the cash row
}

TEST(MonthlyTotals, CashIsJudgedByTheDetailRowAndElseByTheSubjectsOwnRow) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0); // a cash-book subject ...
    file.addSubject(1, 10, 1, 0, 1); // ... with a detail that is not
    file.addSubject(1, 20, 0, 1, 1); // not a cash-book subject ...
    file.addSubject(1, 20, 1, 1, 0); // ... with a detail that is
    // Cash: 10-0, 10-5 (no detail row: the subject decides), 10-0 neither receipt nor payment, 20-1.
    // Not cash: 10-1 and 20-0 (the detail row decides), 99 (no subject row).
    const std::vector<ClosingFile::Line> lines{{march(1), 1, 10, 0, 0, 1000}, {march(1), 1, 10, 5, 1, 300},
                                               {march(1), 1, 10, 0, 2, 60},   {march(2), 1, 20, 1, 1, 40},
                                               {march(1), 1, 10, 1, 0, 200},  {march(2), 1, 20, 0, 1, 5},
                                               {march(2), 1, 99, 0, 0, 9}};
    file.addLines(lines);
    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    EXPECT_EQ(file.cash(1)[2], 1000);
    EXPECT_EQ(file.cash(2)[2], 340);
}

TEST(MonthlyTotals, AMonthWithoutLinesClearsItsFiguresAndItsCash) {
    ClosingFile file;
    file.addSubject(1, 100, 0, 0, 0, {100, 0, 700});
    file.storeCash([](data::F46Rec& cash) {
        cash.F46_RM1 = db::Currency::fromWhole(1000);
        cash.Amt[1][3] = db::Currency::fromWhole(500);
        cash.Amt[2][3] = db::Currency::fromWhole(200);
        cash.Amt[1][4] = db::Currency::fromWhole(50);
    });

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    EXPECT_EQ(file.figures(1, 100, 0), (SubjectFigures{0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100}));
    EXPECT_EQ(file.dialog.texts[11], "          0");
    EXPECT_EQ(file.cash(1), (Months{0, 0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(file.cash(2), Months(12));
    EXPECT_EQ(file.cash(3), (Months{1000, 1000, 1000, 1050, 1050, 1050, 1050, 1050, 1050, 1050, 1050, 1050}));
    EXPECT_EQ(file.cashRow().F46_RM2.roundedWhole(), 1050);
}

TEST(MonthlyTotals, TheCashRowGetsTheMonthsCashAndRunningBalancesOverTheStoredMonths) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0);
    file.addLine(march(3), 1, 1, 1, 10, 0, 0, 2000);
    file.addLine(march(9), 2, 1, 1, 10, 0, 1, 700);
    file.storeCash([](data::F46Rec& cash) {
        cash.F46_RM1 = db::Currency::fromWhole(10000);
        cash.Amt[1][1] = db::Currency::fromWhole(500); // typed in the cash balance window
        cash.Amt[2][1] = db::Currency::fromWhole(100);
        cash.Amt[1][3] = db::Currency::fromWhole(9999); // replaced by the lines
        cash.Amt[2][3] = db::Currency::fromWhole(9999);
        cash.Amt[2][12] = db::Currency::fromWhole(1000);
    });

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    EXPECT_EQ(file.cashRow().F46_RM1.roundedWhole(), 10000);
    EXPECT_EQ(file.cash(1), (Months{500, 0, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(file.cash(2), (Months{100, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, 1000}));
    EXPECT_EQ(file.cash(3),
              (Months{10400, 10400, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 10700}));
    EXPECT_EQ(file.cashRow().F46_RM2.roundedWhole(), 10700);
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
    EXPECT_EQ(file.figure(1, 10, 0, 13), 1280);
}

TEST(MonthlyTotals, AFailedRunLeavesTheFileAsItWasAndIsNotReportedAsFinished) {
    // A database error while the cash row is written, after every subject figure has changed; and a
    // month's cash the cash row cannot hold.
    for (const bool diskFault : {true, false}) {
        ClosingFile file;
        file.addSubject(1, 10, 0, 0, 0, {0, 0, 123});
        file.addLine(march(3), 1, 1, 1, 10, 0, 0, diskFault ? 2000 : 3'000'000'000LL);
        file.cashRow();
        if (diskFault) file.failWritesOf("F46TB");
        const auto before = file.everyRow();
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Failed);
        EXPECT_EQ(file.everyRow(), before);
        EXPECT_FALSE(file.s.MainDatabase->inTransaction());
        const auto& shown = file.open.messages.shown;
        ASSERT_EQ(shown.size(), 1u);
        if (!diskFault) continue;
        EXPECT_EQ(shown[0].rfind("Err.Number = ", 0), 0u) << shown[0];
        EXPECT_NE(shown[0].find("disk I/O error"), std::string::npos);
        // The file stays usable: once the fault is gone the month runs.
        file.s.MainDatabase->execute("DROP TRIGGER refuse_F46TB");
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
        EXPECT_EQ(file.figure(1, 10, 0, 3), 2000);
    }
}
