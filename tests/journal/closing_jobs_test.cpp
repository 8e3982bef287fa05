// The two closing jobs on real data files: the checks of their parameter, the monthly totals and the
// year-end closing.
#include "data/control_row.h"
#include "journal/closing_files.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;
using journal::RunOutcome;
using Months = std::vector<long long>;

namespace {

// Era 4 year 38 is 2026 under the default era table; March is "43803".
std::string period2026(int month) { return "438" + std::string(month < 10 ? "0" : "") + std::to_string(month); }

int march(int day) { return 20260300 + day; }

// A year of lines around the end of 2024 (era 4 year 36 under the default era table), with figures
// and a cash row whose stored balances disagree with its months.
struct ClosedYearFile : ClosingFile {
    ClosedYearFile() : ClosingFile(4) {
        addSubject(1, 10, 0, 0, 0, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
        addSubject(1, 10, 2, 1, 1, {1});
        addLines({{20230505, 1, 10, 0, 0, 100}, {20241231, 1, 10, 0, 1, 200}, {20241231, 1, 10, 2, 1, 300}});
        addLine(20250101, 3, 1, 1, 10, 0, 0, 400);
        s.F01Record.F01_DNO = 3;
        statusOf(data::F01Access, s, "PUT");
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
        statusOf(data::F01Access, s, "GET");
        return s.F01Record;
    }
};

} // namespace

// The period typed, whether the control row defines the fifth era, and the message ("" accepted).
TEST(ClosingChecks, ThePeriodMustBeDigitsOfARealMonthOrYearOfADefinedEra) {
    const journal::ClosingCheck month = journal::MonthlyTotalsCheck, year = journal::YearEndCheck;
    const std::string five = "5桁で入力して下さい。", three = "3桁で入力して下さい。";
    const std::string digits = "入力結果が数字ではありません。", date = "日付の誤りです。";
    // Era 0 once zero-filled, a month 13, an era the control row does not define, a day before the first era.
    const std::tuple<journal::ClosingCheck, bool, const char*, std::string> cases[] = {
        {month, false, "", five},     {month, false, "438031", five}, {month, false, "4a803", digits},
        {month, false, "4380", date}, {month, false, "43813", date},  {month, false, "50803", date},
        {month, false, "43803", ""},  {month, true, "50803", ""},     {year, false, "", three},
        {year, false, "4360", three}, {year, false, "4a6", digits},   {year, false, "1", date},
        {year, false, "508", date},   {year, false, "101", date},     {year, false, "436", ""},
        {year, false, "102", ""},     {year, true, "508", ""}};
    for (const auto& [check, fifthEra, typed, message] : cases) {
        ClosingFile file;
        if (fifthEra) file.defineFifthEra();
        file.dialog.texts[0] = typed;
        std::int16_t focus = -1, err = -1;
        check(file.s, file.dialog, focus, err);
        EXPECT_EQ(err, message.empty() ? 0 : 9) << "'" << typed << "'";
        EXPECT_EQ(file.open.messages.shown, only(message)) << "'" << typed << "'";
        EXPECT_TRUE(message.empty() || focus == 0) << "'" << typed << "'";
    }
}

TEST(MonthlyTotals, TheCalendarMonthLandsInItsFiscalMonthSlot) {
    // First month, calendar month, slot; the first four are run on a file.
    const std::tuple<int, int, std::size_t> cases[] = {{1, 1, 1},  {1, 12, 12}, {4, 4, 1},  {4, 3, 12},
                                                       {4, 12, 9}, {4, 1, 10},  {10, 9, 12}};
    for (const auto& [first, month, slot] : cases)
        EXPECT_EQ(data::FiscalMonth(month, first), static_cast<int>(slot)) << first << "/" << month;
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
    EXPECT_EQ(file.dialog.counts(),
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

// March takes its lines, once however often it runs; May, without lines, loses the figure and cash stored for
// it and leaves March's.
TEST(MonthlyTotals, TheCashRowGetsTheMonthsCashAndBalancesAndAMonthWithoutLinesIsCleared) {
    ClosingFile file;
    file.addSubject(1, 10, 0, 0, 0, {100, 0, 0, 0, 700});
    file.addLine(march(3), 1, 1, 1, 10, 0, 0, 2000);
    file.addLine(march(9), 2, 1, 1, 10, 0, 1, 700);
    file.storeCash([](data::F46Rec& cash) {
        cash.F46_RM1 = db::Currency::fromWhole(10000);
        cash.Amt[1][1] = db::Currency::fromWhole(500); // typed in the cash balance window
        cash.Amt[2][1] = db::Currency::fromWhole(100);
        cash.Amt[1][3] = db::Currency::fromWhole(9999); // replaced by the lines
        cash.Amt[2][3] = db::Currency::fromWhole(9999);
        cash.Amt[1][5] = db::Currency::fromWhole(300);
        cash.Amt[2][12] = db::Currency::fromWhole(1000);
    });

    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
    const auto once = file.everyRow();
    ASSERT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished); // run again: nothing changes
    EXPECT_EQ(file.everyRow(), once);
    EXPECT_EQ(file.cashRow().F46_RM1.roundedWhole(), 10000);
    EXPECT_EQ(file.cash(1), (Months{500, 0, 2000, 0, 300, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(file.cash(2), (Months{100, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, 1000}));
    EXPECT_EQ(file.cash(3),
              (Months{10400, 10400, 11700, 11700, 12000, 12000, 12000, 12000, 12000, 12000, 12000, 11000}));
    EXPECT_EQ(file.cashRow().F46_RM2.roundedWhole(), 11000);

    ASSERT_EQ(file.runMonth(period2026(5)), RunOutcome::Finished);
    EXPECT_EQ(file.dialog.texts[11], "          0");
    EXPECT_EQ(file.figures(1, 10, 0), (SubjectFigures{0, 100, 0, 1300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1400}));
    EXPECT_EQ(file.cash(1)[4], 0);
    EXPECT_EQ(file.cash(3),
              (Months{10400, 10400, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 11700, 10700}));
    EXPECT_EQ(file.cashRow().F46_RM2.roundedWhole(), 10700);
}

// A database error while the cash row is written, after every subject figure has changed; a month's cash the
// cash row cannot hold; two amounts near the largest the currency type holds (922,337,203,685,477), whose sum
// would wrap round.
TEST(MonthlyTotals, AFailedRunLeavesTheFileAsItWasAndIsNotReportedAsFinished) {
    const long long edge = 900'000'000'000'000LL;
    const std::tuple<bool, Months, std::string> cases[] = {
        {true, {2000}, "Err.Number =  3000 (値がテーブルの制約に合わないため、変更できませんでした。)"},
        {false, {3'000'000'000LL}, ""},
        {false, {edge, edge}, "Err.Number =  3349 (金額が扱える範囲を超えました。)"}};
    for (const auto& [diskFault, amounts, message] : cases) {
        ClosingFile file;
        file.addSubject(1, 10, 0, 0, 0, {0, 0, 123});
        for (const long long amount : amounts)
            file.addLines({{march(3), 1, 10, 0, 0, amount}});
        file.cashRow();
        if (diskFault) file.failWritesOf("F46TB");
        const auto before = file.everyRow();
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Failed);
        EXPECT_EQ(file.everyRow(), before);
        EXPECT_FALSE(file.s.MainDatabase->inTransaction());
        const auto& shown = file.open.messages.shown;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(message.empty() || shown[0] == message) << shown[0];
        if (!diskFault) continue;
        // The file stays usable: once the fault is gone the month runs.
        file.s.MainDatabase->execute("DROP TRIGGER refuse_F46TB");
        EXPECT_EQ(file.runMonth(period2026(3)), RunOutcome::Finished);
        EXPECT_EQ(file.figure(1, 10, 0, 3), 2000);
    }
}

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
    EXPECT_EQ(file.dialog.counts(), "          2          3          1");

    // A second closing deletes nothing, keeps the carried balance and stores a real date for day 99.
    ASSERT_EQ(file.closeYear("436", 20250299), RunOutcome::Finished);
    EXPECT_EQ(file.dialog.texts[11], "          0");
    EXPECT_EQ(file.cashRow().F46_RM1, cash.F46_RM1);
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
