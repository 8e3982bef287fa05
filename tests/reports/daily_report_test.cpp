#include "reports/daily_report.h"
#include "reports/page_machinery.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-110", "c005w5 c110w5 c013w1 c041w1 c067w1 c095w1 c100w1"};

std::vector<std::string> header(const std::string& pageNo) {
    return joined({pageHead("経理日報", pageNo, 2),
                   {"r04 c005 s9 |令和 8年 4月15日|", "r05 c005 s9 |　伝票No-行|", "r05 c013 s9 |　　　　勘定科目|",
                    "r05 c041 s9 |　　　　摘要　/　備考|", "r05 c067 s9 |　　　　詳細　/　相手先|",
                    "r05 c095 s9 | 区分|", "r05 c100 s9 |    　金　額|"}});
}

// The heading's rules, then those of entries on rows 7, 9, ... up to `to` (the first ruled heavy),
// then the total row, or the band that closes a full page.
std::vector<std::string> pageRules(int to, bool lastPage) {
    const auto rules = joined({{frame.line(5, 5), frame.rules(5), frame.rules(6)}, frame.entryRules(7, to)});
    if (lastPage) return joined({rules, {frame.line(43, 5), frame.rules(43), frame.line(44, 5)}});
    return joined({rules, frame.band(41)});
}

const std::vector<platform::RecordedPage>& printed(ReportFile& file) { return file.printed(reports::NIPPO_Print); }

// Lines of one voucher each, numbered from 1, on the subject 消耗品費.
void addPayments(ReportFile& file, int count) {
    for (int i = 1; i <= count; ++i)
        file.add({.dno = i, .kbn = 2, .act = 204, .io = 1, .amount = 100});
}

TEST(DailyReport, ThreeLinesFillOnePageWithTheirTextsRulesEmptyEntriesAndTheTotalAtRow43) {
    ReportFile file;
    file.add({.knd = 2, .cus = 1, .tek = "000001", .rmk = "四月分", .amount = 150000});
    file.add({.lin = 2, .kbn = 2, .act = 207, .srt = 1, .tek = "000004", .io = 1, .amount = 12000});
    // No description; a counterpart whose category is beyond the code-category table, named all the same.
    file.add({.dno = 2, .kbn = 2, .act = 204, .knd = 25, .cus = 5, .tek = "      ", .io = 1, .amount = 3500});
    file.addCode(25, 5, "分類外");
    file.add({.dno = 9, .amount = 999, .ymd = 20260414});               // another day
    reports::SetPageFrame(file.s, 78, 60, {8, 24, 30, 50, 57, 64, 71}); // the columns of a run before

    const auto& pages = printed(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(sheet(pages[0]), joined({header("  1"),
                                       {"r07 c005 s9 |     1- 1|",
                                        "r07 c013 s9 | 01-000101 売上|",
                                        "r07 c041 s9 |000001 売上代金|",
                                        "r07 c095 s9 | 入金|",
                                        "r07 c100 s9 |      150,000|",
                                        "r08 c041 s9 |四月分|",
                                        "r08 c067 s9 | 2-0001 一般顧客|",
                                        "r09 c005 s9 |     1- 2|",
                                        "r09 c013 s9 | 02-000207 水道光熱費|",
                                        "r09 c041 s9 |000004 電気料金|",
                                        "r09 c067 s9 |   001 電気|",
                                        "r09 c095 s9 | 出金|",
                                        "r09 c100 s9 |       12,000|",
                                        "r11 c005 s9 |     2- 1|",
                                        "r11 c013 s9 | 02-000204 消耗品費|",
                                        "r11 c095 s9 | 出金|",
                                        "r11 c100 s9 |        3,500|",
                                        "r12 c067 s9 |25-5 分類外|",
                                        "r43 c005 s9 |　　合  計|",
                                        "r43 c100 s9 |      134,500|"},
                                       pageRules(41, true)})); // 15 empty entries below the three
    EXPECT_EQ(file.page.orientation(), 2);
    EXPECT_TRUE(file.open.messages.shown.empty());
}

// Seventeen lines fill page 1 (rows 7 to 39); the eighteenth breaks it.
TEST(DailyReport, AnEighteenthLineClosesThePageWithABandAndStartsPageTwoUnderAFreshHeader) {
    ReportFile file;
    addPayments(file, 18);
    const auto& pages = printed(file);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), pageRules(39, false));
    EXPECT_EQ(pages[0].textLines().back(), "r39 c100 s9 |          100|"); // no total on a full page
    EXPECT_EQ(sheet(pages[1]),
              joined({header("  2"),
                      {"r07 c005 s9 |    18- 1|", "r07 c013 s9 | 02-000204 消耗品費|", "r07 c095 s9 | 出金|",
                       "r07 c100 s9 |          100|", "r43 c005 s9 |　　合  計|", "r43 c100 s9 |       -1,800|"},
                      pageRules(41, true)}));
}

TEST(DailyReport, LookUpsThatMissPrintTheCodeAloneAndTheTotalIsTheCashThatMovedWhateverThePrintedSign) {
    ReportFile file;
    file.add({.kbn = 2, .act = 999, .tek = "000000", .io = 1, .amount = 100}); // no such subject
    file.add({.lin = 2, .kbn = 2, .act = 204, .srt = 7, .knd = 2, .cus = 88, .tek = "000099", .io = 1, .amount = 200});
    // A refund received on supplies, with a counterpart category without a row.
    file.add({.lin = 3, .kbn = 2, .act = 204, .knd = 25, .cus = 1234, .io = 0, .amount = 500});

    // An unregistered subject counts as a receipt subject: its payment prints negative. The total
    // counts cash as it moved, whatever the printed sign: 500 in less 300 out.
    EXPECT_EQ(printed(file).at(0).textLines(),
              joined({header("  1"),
                      {"r07 c005 s9 |     1- 1|", "r07 c013 s9 | 02-000999|", "r07 c095 s9 | 出金|",
                       "r07 c100 s9 |         -100|", "r09 c005 s9 |     1- 2|", "r09 c013 s9 | 02-000204 消耗品費|",
                       "r09 c041 s9 |000099|", "r09 c067 s9 |   007|", "r09 c095 s9 | 出金|",
                       "r09 c100 s9 |          200|", "r10 c067 s9 | 2-0088|", "r11 c005 s9 |     1- 3|",
                       "r11 c013 s9 | 02-000204 消耗品費|", "r11 c095 s9 | 入金|", "r11 c100 s9 |         -500|",
                       "r12 c067 s9 |25-1,234|", "r43 c005 s9 |　　合  計|", "r43 c100 s9 |          200|"}}));
}

// The era period's check is shared by the reports of a date, month or year; its refusals stand here.
TEST(DailyReport, TheCheckLetsThroughOnlyADateThePrintRunCanUseAndThePrintRunRefusesOne) {
    ReportFile file;
    const auto check = [&file](const char* date) { return file.checked(reports::NIPPO_Check, {{0, date}}); };
    EXPECT_EQ(check("5080415"), "0 -1");
    EXPECT_EQ(check("4310430"), "0 -1");
    EXPECT_EQ(check("50804151"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("508041a"), "9 0 入力結果が数字ではありません。");
    for (const char* date : {"", "5081315", "80415" /* era 0 */, "6080415" /* no such era */})
        EXPECT_EQ(check(date), "9 0 日付の誤りです。再度、入力して下さい。") << date;
    file.s.F01Record.F01_STYMD[5] = 0; // a control row without the fifth era
    EXPECT_EQ(check("4310415"), "0 -1");
    EXPECT_EQ(check("5080415"), "9 0 日付の誤りです。再度、入力して下さい。");
    // A day without lines is the dialog's test, on this report.
    file.printsNothing(reports::NIPPO_Print, "日付の誤りです。再度、入力して下さい。");
}

} // namespace
