#include "reports/cash_book.h"

#include "journal/monthly_totals.h"
#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;
using testing_support::statusOf;

const Frame frame{"c005-110", "c005w5 c110w5 c011w1 c018w1 c042w1 c064w1 c086w1 c094w1 c102w1"};

// A file whose fiscal year begins in April, carrying 100,000 into it and 130,000 out of April; the
// month box on April 2026 (令和 8年).
struct CashBookFile : ReportFile {
    CashBookFile() {
        s.F01Record.F01_STMM = 4;
        EXPECT_EQ(statusOf(data::F46Access, s, "GET"), 0);
        s.F46Record.F46_RM1 = db::Currency::fromWhole(100000);
        s.F46Record.Amt[3][1] = db::Currency::fromWhole(130000);
        EXPECT_EQ(statusOf(data::F46Access, s, "PUT"), 0);
        dialog.fields[0] = "50804";
    }
    const std::vector<platform::RecordedPage>& printed() { return ReportFile::printed(reports::CASHBOOK_Print); }
};

std::vector<std::string> header(const std::string& pageNo, const std::vector<std::string>& broughtForward) {
    return joined({pageHead("現金出納簿", pageNo, 2),
                   {"r05 c005 s9 |前期繰越|"},
                   broughtForward,
                   {"r06 c005 s9 |日　付|", "r06 c011 s9 |伝票No-行|", "r06 c018 s9 |　　勘定科目|",
                    "r06 c042 s9 |　　摘要　/　備考|", "r06 c064 s9 |　　詳細　/　相手先|", "r06 c086 s9 |　　入　金|",
                    "r06 c094 s9 |　　出　金|", "r06 c102 s9 |　　繰　越|"}});
}

TEST(CashBook, TheMonthsCashLinesRunFromTheOpeningBalanceToTheTotalsAndTheBalanceCarriedOut) {
    CashBookFile file;
    file.add({.knd = 2, .cus = 1, .tek = "000001", .rmk = "四月分", .amount = 150000, .ymd = 20260405});
    file.add({.lin = 2, .kbn = 2, .act = 207, .srt = 1, .tek = "000004", .io = 1, .amount = 12000, .ymd = 20260405});
    file.add({.dno = 2, .knd = 25, .cus = 5, .io = 1, .amount = 20000, .ymd = 20260412}); // a refund paid on a sale
    file.addCode(25, 5, "分類外"); // a category beyond the code-category table names its codes all the same

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(sheet(pages[0]), joined({header("  1", {"r05 c102 s9 |    100,000|"}),
                                       {"r07 c005 s9 |08/04/05|",        "r07 c011 s9 |     1- 1|",
                                        "r07 c018 s9 | 01-000101 売上|", "r07 c042 s7 |000001 売上代金|",
                                        "r07 c086 s9 |    150,000|",     "r07 c102 s9 |    250,000|",
                                        "r08 c042 s7 |四月分|",          "r08 c064 s7 | 2-0001 一般顧客|",
                                        "r09 c011 s9 |     1- 2|",       "r09 c018 s9 | 02-000207 水道光熱費|",
                                        "r09 c042 s7 |000004 電気料金|", "r09 c064 s7 |   001 電気|",
                                        "r09 c094 s9 |     12,000|",     "r09 c102 s9 |    238,000|",
                                        "r11 c005 s9 |08/04/12|",        "r11 c011 s9 |     2- 1|",
                                        "r11 c018 s9 | 01-000101 売上|", "r11 c094 s9 |     20,000|",
                                        "r11 c102 s9 |    218,000|",     "r12 c064 s7 |25-5 分類外|",
                                        "r43 c005 s9 |合　　計|",        "r43 c086 s9 |    150,000|",
                                        "r43 c094 s9 |     32,000|",     "r44 c005 s9 |次期繰越|",
                                        "r44 c102 s9 |    218,000|"},
                                       frame.bookRules(41, true)}));
    EXPECT_EQ(file.page.orientation(), 2);
    EXPECT_TRUE(file.open.messages.shown.empty());
}

TEST(CashBook, TheEighteenthCashLineStartsPageTwoUnderABroughtForwardRowWithoutAmountAndItsDateAgain) {
    CashBookFile file;
    for (int dno = 1; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .io = 1, .amount = 100, .ymd = 20260420});

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), frame.bookRules(39, false));
    EXPECT_EQ(pages[0].textLines().back(), "r39 c102 s9 |     98,300|"); // no totals on a full page
    EXPECT_EQ(sheet(pages[1]),
              joined({header("  2", {}),
                      {"r07 c005 s9 |08/04/20|", "r07 c011 s9 |    18- 1|", "r07 c018 s9 | 02-000204 消耗品費|",
                       "r07 c094 s9 |        100|", "r07 c102 s9 |     98,200|", "r43 c005 s9 |合　　計|",
                       "r43 c086 s9 |          0|", "r43 c094 s9 |      1,800|", "r44 c005 s9 |次期繰越|",
                       "r44 c102 s9 |     98,200|"},
                      frame.bookRules(41, true)}));
}

struct NoClosingDialog : journal::ClosingDialogView {
    void setLabel1(int, const std::string&) override {}
    std::string text1(int) const override { return "50804"; }
    void setText1(int, const std::string&) override {}
    void setLabel3(const std::string&) override {}
};

// A line is cash when its detail row (or without one its subject) is on the cash book: the cash book
// and the monthly totals then carry the same balance. April opens with F46_RM1, May (fiscal month 2)
// with the balance stored after April.
TEST(CashBook, TheBalanceCarriedOutIsTheNextMonthsOpeningBalanceAfterTheMonthlyTotals) {
    CashBookFile file;
    file.addSubject(2, 204, 2, "消耗品費（立替）", 1, 1);
    file.addSubject(3, 301, 1, "普通預金（手元）", 0, 0);
    file.add({.amount = 150000, .ymd = 20260405});
    file.add({.dno = 2, .kbn = 2, .act = 204, .srt = 2, .io = 1, .amount = 7000, .ymd = 20260407});
    file.add({.dno = 3, .kbn = 3, .act = 301, .srt = 1, .amount = 3000, .ymd = 20260408});
    file.add({.dno = 4, .kbn = 2, .act = 999, .io = 1, .amount = 500, .ymd = 20260409}); // no such subject
    file.add({.dno = 5, .amount = 1, .ymd = 20260510});
    NoClosingDialog closing;
    ASSERT_EQ(journal::MonthlyTotalsRun(file.s, closing), journal::RunOutcome::Finished);

    // The 普通預金 detail is cash, the 7,000 and the 500 are not, nor is May's line.
    EXPECT_EQ(file.printed().at(0).textsOnRow(44).back().text, "    253,000");
    platform::RecordingPage may;
    file.dialog.fields[0] = "50805";
    EXPECT_TRUE(reports::CASHBOOK_Print(file.dialog, may));
    EXPECT_EQ(may.pages().at(0).textsOnRow(5).back().text, "    253,000");
}

// A month whose lines are all passed over is a month without lines to the run.
TEST(CashBook, AMonthWithoutCashLinesPrintsNothing) {
    CashBookFile file;
    file.add({.kbn = 3, .act = 301, .amount = 5000, .ymd = 20260410}); // 普通預金 only
    file.printsNothing(reports::CASHBOOK_Print, "印刷するデータがありません。");
}

TEST(CashBook, TheSetUpProposesTheProcessingMonthAndTheCheckAndPrintRunRefuseAMonthThatIsNone) {
    CashBookFile file;
    file.dialog.fields.clear();
    reports::CASHBOOK_Init(file.dialog);
    EXPECT_EQ(file.dialog.fields[0] + "|" + file.dialog.labels[6], "50804| 5 :令和 4 :平成");
    const auto check = [&file](const char* month) { return file.checked(reports::CASHBOOK_Check, {{0, month}}); };
    EXPECT_EQ(check("50804"), "0 -1");
    EXPECT_EQ(check("508041"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("50813"), "9 0 日付の誤りです。再度、入力して下さい。");
    // Nor does the print run ask for lines with it.
    file.printsNothing(reports::CASHBOOK_Print, "日付の誤りです。再度、入力して下さい。");
}

} // namespace
