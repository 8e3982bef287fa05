#include "reports/ledger.h"

#include "data/fixed_text.h"
#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-102", "c005w5 c102w5 c011w1 c018w1 c042w1 c066w1 c078w1 c090w1"};

std::string right(const std::string& text, std::size_t width = 15) {
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

// The head of a page of 消耗品費, with the balance brought forward on its first page only.
std::vector<std::string> header(const std::string& pageNo, const std::string& broughtForward = "") {
    auto texts = joined({{"r02 c040 s12 | 02-000204|"},
                         pageHead(data::fitText("消耗品費", 30), pageNo, 2),
                         {"r05 c005 s9 |前期繰越|"}});
    if (!broughtForward.empty()) texts.push_back("r05 c090 s9 |" + right(broughtForward) + "|");
    return joined({texts,
                   {"r06 c005 s9 |日　付|", "r06 c011 s9 |伝票No-行|", "r06 c018 s9 |　　摘要　/　備考|",
                    "r06 c042 s9 |　　詳細　/　相手先|", "r06 c066 s9 |　　入　金|", "r06 c078 s9 |　　出　金|",
                    "r06 c090 s9 |　　繰　越|"}});
}

// June 2026 of a year that begins in April, for subjects 200 to 299 of every category; 消耗品費 has
// 10,000 before the year and its first three fiscal months' figures.
struct LedgerFile : ReportFile {
    LedgerFile() {
        s.F01Record.F01_STMM = 4;
        s.MainDatabase->execute("UPDATE F21TB SET F21_FIL = ?, F21_AMT_01 = ?, F21_AMT_02 = ?, F21_AMT_03 = ? "
                                "WHERE F21_KBN = 2 AND F21_ACT = 204",
                                {db::Currency::fromWhole(10000), db::Currency::fromWhole(1000),
                                 db::Currency::fromWhole(2000), db::Currency::fromWhole(4000)});
        reports::MOTOCHO_Init(dialog);
        dialog.fields[0] = dialog.fields[6] = "50806";
        dialog.fields[2] = "200";
        dialog.fields[8] = "299";
    }
    const std::vector<platform::RecordedPage>& printed() { return ReportFile::printed(reports::MOTOCHO_Print); }
    void addPayments(int count) {
        for (int i = 1; i <= count; ++i)
            add({.dno = i, .kbn = 2, .act = 204, .io = 1, .amount = 100, .ymd = 20260610});
    }
};

TEST(Ledger, ASubjectsLinesOfThePeriodRunFromItsOpeningBalanceToTheTotalsAndTheBalanceCarriedForward) {
    LedgerFile file;
    file.addSubject(2, 204, 1, "電気代"); // a detail row: never a subject of its own
    file.add({.kbn = 2, .act = 204, .tek = "000006", .rmk = "コピー用紙", .io = 1, .amount = 3000, .ymd = 20260601});
    file.add({.lin = 2, .kbn = 2, .act = 204, .srt = 1, .knd = 2, .cus = 1, .io = 1, .amount = 500, .ymd = 20260601});
    // A refund received, from a counterpart whose category is beyond the code-category table.
    file.add({.dno = 4, .kbn = 2, .act = 204, .knd = 25, .cus = 5, .io = 0, .amount = 200, .ymd = 20260615});
    file.addCode(25, 5, "分類外");
    file.add({.dno = 5, .kbn = 2, .act = 204, .io = 1, .amount = 7, .ymd = 20260531}); // before the period
    file.add({.dno = 6, .kbn = 2, .act = 204, .io = 1, .amount = 7, .ymd = 20260701}); // after it
    file.add({.dno = 7, .kbn = 1, .act = 101, .amount = 7, .ymd = 20260610});          // outside the code range

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 1u);
    // Opening: 10,000 before the year and the figures of April and May. The refund shows as it was
    // received and takes the payment subject's balance down.
    EXPECT_EQ(sheet(pages[0]), joined({header("  1", "13,000"),
                                       {"r07 c005 s9 |08/06/01|",
                                        "r07 c011 s9 |     1- 1|",
                                        "r07 c018 s7 |000006 事務用品|",
                                        "r07 c078 s9 |" + right("3,000") + "|",
                                        "r07 c090 s9 |" + right("16,000") + "|",
                                        "r08 c018 s7 |コピー用紙|",
                                        "r09 c011 s9 |     1- 2|",
                                        "r09 c042 s7 |   001 電気|",
                                        "r09 c078 s9 |" + right("500") + "|",
                                        "r09 c090 s9 |" + right("16,500") + "|",
                                        "r10 c042 s7 | 2-0001 一般顧客|",
                                        "r11 c005 s9 |08/06/15|",
                                        "r11 c011 s9 |     4- 1|",
                                        "r11 c066 s9 |" + right("200") + "|",
                                        "r11 c090 s9 |" + right("16,300") + "|",
                                        "r12 c042 s7 |25-5 分類外|",
                                        "r43 c005 s9 |合　　計|",
                                        "r43 c066 s9 |" + right("200") + "|",
                                        "r43 c078 s9 |" + right("3,500") + "|",
                                        "r44 c005 s9 |次期繰越|",
                                        "r44 c090 s9 |" + right("16,300") + "|"},
                                       frame.bookRules(11, true)}));
    EXPECT_EQ(file.page.orientation(), 2);
}

TEST(Ledger, TheEighteenthLineStartsPageTwoWithoutTheOpeningAndEachSubjectCountsItsOwnPages) {
    LedgerFile file;
    file.addPayments(18);
    file.add({.dno = 30, .kbn = 2, .act = 207, .io = 1, .amount = 50, .ymd = 20260620});

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].ruleLines(), frame.bookRules(39, false));
    EXPECT_EQ(pages[0].textsOnRow(5).back().text, right("13,000"));
    EXPECT_EQ(pages[0].textsOnRow(39).at(0).text, "    17- 1"); // the date shows once a page
    EXPECT_EQ(sheet(pages[1]),
              joined({header("  2"),
                      {"r07 c005 s9 |08/06/10|", "r07 c011 s9 |    18- 1|", "r07 c078 s9 |" + right("100") + "|",
                       "r07 c090 s9 |" + right("14,800") + "|", "r43 c005 s9 |合　　計|",
                       "r43 c066 s9 |" + right("0") + "|", "r43 c078 s9 |" + right("1,800") + "|",
                       "r44 c005 s9 |次期繰越|", "r44 c090 s9 |" + right("14,800") + "|"},
                      frame.bookRules(7, true)}));
    EXPECT_EQ(pages[2].textsOnRow(2).at(0).text, " 02-000207");
    EXPECT_EQ(pages[2].textsOnRow(3).back().text, "（  1頁）");
}

// Subjects the run passes over: outside the code range, or without a line in the period.
TEST(Ledger, NoSubjectWithLinesInThePeriodPrintsNothing) {
    for (const auto& [firstCode, period] : {std::pair{"200", "50806"}, std::pair{"0", "50807"}}) {
        LedgerFile file;
        file.add({.kbn = 1, .act = 101, .amount = 100, .ymd = 20260610});
        file.dialog.fields[1] = file.dialog.fields[7] = "1";
        file.dialog.fields[2] = firstCode;
        file.dialog.fields[0] = file.dialog.fields[6] = period;
        file.printsNothing(reports::MOTOCHO_Print, "印刷するデータがありません。");
    }
}

TEST(Ledger, TheCheckRefusesABoxTooLongNotDigitsEmptyOrAPeriodThatIsNoMonth) {
    LedgerFile file;
    EXPECT_EQ(file.dialog.fields[1] + "-" + file.dialog.fields[7], "01-99");
    const auto check = [&file](const std::map<int, std::string>& boxes) {
        LedgerFile fresh;
        return fresh.checked(reports::MOTOCHO_Check, boxes);
    };
    EXPECT_EQ(check({}), "0 -1");
    EXPECT_EQ(check({{0, "50806"}, {6, "50812"}}), "0 -1");
    EXPECT_EQ(check({{0, "508061"}}), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check({{0, "5080a"}}), "9 0 入力結果が数字ではありません。");
    EXPECT_EQ(check({{7, "100"}}), "9 7 規定の桁数を超えました。");
    EXPECT_EQ(check({{2, "1x"}}), "9 2 入力結果が数字ではありません。");
    EXPECT_EQ(check({{8, ""}}), "9 8 入力結果が数字ではありません。");
    EXPECT_EQ(check({{6, "50813"}}), "9 6 日付の誤りです。再度、入力して下さい。");
    // A print run never forms a query from a box the check refuses.
    file.dialog.fields[6] = "50813";
    file.printsNothing(reports::MOTOCHO_Print, "日付の誤りです。再度、入力して下さい。");
}

} // namespace
