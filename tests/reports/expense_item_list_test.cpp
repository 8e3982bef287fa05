#include "reports/expense_item_list.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-110", "c005w5 c110w5 c028w1 c034w1 c041w1 c050w1 c065w1 c080w1 c095w1"};

std::vector<std::string> header(const std::string& pageNo) {
    return joined({pageHead("費目別一覧", pageNo, 2),
                   {"r05 c005 s9 |　　勘定科目|", "r05 c028 s9 |日　付|", "r05 c034 s9 |伝票NO-行|",
                    "r05 c041 s9 |　　金　額|", "r05 c050 s9 |　　詳  細|", "r05 c065 s9 |　　相手先|",
                    "r05 c080 s9 |　　摘  要|", "r05 c095 s9 |　　備  考|"}});
}

std::vector<std::string> subtotal(int row, const std::string& total) {
    const auto r = [](int n) { return Frame::rowName(n); };
    return {r(row) + " c034 s9 |-------------------------|", r(row + 1) + " c034 s9 |　合　計|",
            r(row + 1) + " c041 s9 |" + total + "|"};
}

struct ExpenseFile : ReportFile {
    ExpenseFile() {
        reports::PL_Init(dialog);
        EXPECT_EQ(dialog.fields[0], "50804");
    }
    const std::vector<platform::RecordedPage>& printed() { return ReportFile::printed(reports::PL_Print); }
};

TEST(ExpenseItemList, EachSubjectsLinesAreSignedByItsDirectionAndClosedByTheirSubtotal) {
    ExpenseFile file;
    file.add({.knd = 2, .cus = 1, .tek = "000001", .rmk = "四月分", .amount = 150000, .ymd = 20260405});
    file.add({.dno = 2, .knd = 25, .cus = 5, .io = 1, .amount = 20000, .ymd = 20260410}); // a refund paid on a sale
    file.addCode(25, 5, "分類外"); // a category beyond the code-category table names its codes all the same
    file.add({.dno = 3, .kbn = 2, .act = 204, .srt = 2, .io = 1, .amount = 3500, .ymd = 20260402});
    file.add({.dno = 4, .kbn = 2, .act = 999, .io = 1, .amount = 100, .ymd = 20260420}); // unregistered
    file.add({.dno = 5, .amount = 7, .ymd = 20260501});                                  // another month

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(
        sheet(pages[0]),
        joined({header("  1"),
                {"r06 c005 s9 | 01-000101 売上|", "r06 c028 s9 |08/04/05|", "r06 c034 s9 |     1- 1|",
                 "r06 c041 s9 |    150,000|", "r06 c065 s7 | 2-0001 一般顧客|", "r06 c080 s7 |000001 売上代金|",
                 "r06 c095 s9 |四月分|", "r07 c028 s9 |08/04/10|", "r07 c034 s9 |     2- 1|",
                 "r07 c041 s9 |    -20,000|", "r07 c065 s7 |25-5 分類外|"},
                subtotal(8, "    130,000"),
                {"r10 c005 s9 | 02-000204 消耗品費|", "r10 c028 s9 |08/04/02|", "r10 c034 s9 |     3- 1|",
                 "r10 c041 s9 |      3,500|", "r10 c050 s7 |  002 ガス|"},
                subtotal(11, "      3,500"),
                {"r13 c005 s9 | 02-000999|", "r13 c028 s9 |08/04/20|", "r13 c034 s9 |     4- 1|",
                 "r13 c041 s9 |       -100|"},
                subtotal(14, "       -100"),
                {frame.line(5, 5), frame.rules(5), frame.line(6, 1), frame.rules(6), frame.rules(7), frame.rules(8),
                 frame.rules(9), frame.line(10, 1), frame.rules(10), frame.rules(11), frame.rules(12),
                 frame.line(13, 1), frame.rules(13), frame.rules(14), frame.rules(15), frame.line(16, 5)}}));
}

TEST(ExpenseItemList, The38thRowStartsPageTwoWhereTheSubjectShowsAgainAndItsSubtotalCoversBothPages) {
    ExpenseFile file;
    for (int dno = 1; dno <= 38; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .io = 1, .amount = 100, .ymd = 20260410});
    file.add({.dno = 40, .kbn = 2, .act = 207, .io = 1, .amount = 50, .ymd = 20260411});

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines().back(), frame.line(43, 5));
    EXPECT_EQ(pages[0].textsOnRow(42).at(1).text, "    37- 1");
    EXPECT_EQ(sheet(pages[1]), joined({header("  2"),
                                       {"r06 c005 s9 | 02-000204 消耗品費|", "r06 c028 s9 |08/04/10|",
                                        "r06 c034 s9 |    38- 1|", "r06 c041 s9 |        100|"},
                                       subtotal(7, "      3,800"),
                                       {"r09 c005 s9 | 02-000207 水道光熱費|", "r09 c028 s9 |08/04/11|",
                                        "r09 c034 s9 |    40- 1|", "r09 c041 s9 |         50|"},
                                       subtotal(10, "         50"),
                                       {frame.line(5, 5), frame.rules(5), frame.line(6, 1), frame.rules(6),
                                        frame.rules(7), frame.rules(8), frame.line(9, 1), frame.rules(9),
                                        frame.rules(10), frame.rules(11), frame.line(12, 5)}}));
}

TEST(ExpenseItemList, TheCheckAndThePrintRunRefuseAMonthItCannotPrint) {
    ExpenseFile file;
    const auto check = [&file](const char* month) { return file.checked(reports::PL_Check, {{0, month}}); };
    EXPECT_EQ(check("50804"), "0 -1");
    EXPECT_EQ(check("508041"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("50813"), "9 0 日付の誤りです。再度、入力して下さい。");
    file.printsNothing(reports::PL_Print, "日付の誤りです。再度、入力して下さい。");
}

} // namespace
