#include "reports/code_list.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-078", "c005w5 c078w5 c008w1 c024w1 c030w1 c050w1 c057w1 c064w1 c071w1"};

std::vector<std::string> codeSheet(const std::string& pageNo, const std::vector<std::string>& codes, int last) {
    return joined(
        {pageHead("コード一覧表", pageNo, 1),
         {"r05 c005 s9 |区分|", "r05 c008 s9 |区分名称|", "r05 c024 s9 |コード|", "r05 c030 s9 |     内     容|",
          "r05 c050 s9 | 備考１|", "r05 c057 s9 | 備考２|", "r05 c064 s9 | 備考３|", "r05 c071 s9 | 備考４|"},
         codes,
         frame.listRules(last)});
}

TEST(CodeList, EachCategoryOpensWithItsNumberAndNameAndTheLastRowIsClosedByAHeavyRule) {
    ReportFile file;
    file.addCode(2, 4, "信用金庫", "振込");
    reports::CLIST_Init(file.dialog);

    const auto& pages = file.printed(reports::CLIST_Print);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(
        sheet(pages[0]),
        codeSheet("  1",
                  {"r06 c005 s9 | 01|",      "r06 c008 s9 |科目分類|", "r06 c024 s9 |    01|", "r06 c030 s9 |収入|",
                   "r07 c024 s9 |    02|",   "r07 c030 s9 |経費|",     "r08 c024 s9 |    03|", "r08 c030 s9 |資産|",
                   "r09 c024 s9 |    04|",   "r09 c030 s9 |負債|",     "r10 c024 s9 |    05|", "r10 c030 s9 |資本|",
                   "r11 c005 s9 | 02|",      "r11 c008 s9 |取引先|",   "r11 c024 s9 |  0001|", "r11 c030 s9 |一般顧客|",
                   "r12 c024 s9 |  0002|",   "r12 c030 s9 |仕入先|",   "r13 c024 s9 |  0003|", "r13 c030 s9 |取引銀行|",
                   "r14 c024 s9 |  0004|",   "r14 c030 s9 |信用金庫|", "r14 c050 s7 |振込|",   "r15 c005 s9 | 03|",
                   "r15 c008 s9 |細目分類|", "r15 c024 s9 |   001|",   "r15 c030 s9 |電気|",   "r16 c024 s9 |   002|",
                   "r16 c030 s9 |ガス|",     "r17 c024 s9 |   003|",   "r17 c030 s9 |水道|"},
                  17));
    EXPECT_EQ(file.page.paperSize(), 9);
    EXPECT_EQ(file.page.orientation(), 1);
}

TEST(CodeList, FiftyFiveCodesFillAPageAndACategoryGoingOnRepeatsItsHeadingOnTheNext) {
    ReportFile file;
    for (int code = 4; code <= 50; ++code)
        file.addCode(3, code, "細目" + std::to_string(code));
    file.addCode(25, 5, "分類外"); // a category the code-category table has no row for
    reports::CLIST_Init(file.dialog);

    const auto& pages = file.printed(reports::CLIST_Print);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), frame.listRules(60));
    EXPECT_EQ(pages[0].textLines().back(), "r60 c030 s9 |細目47|");
    EXPECT_EQ(sheet(pages[1]),
              codeSheet("  2",
                        {"r06 c005 s9 | 03|", "r06 c008 s9 |細目分類|", "r06 c024 s9 |   048|", "r06 c030 s9 |細目48|",
                         "r07 c024 s9 |   049|", "r07 c030 s9 |細目49|", "r08 c024 s9 |   050|", "r08 c030 s9 |細目50|",
                         "r09 c005 s9 | 25|", "r09 c024 s9 |     5|", "r09 c030 s9 |分類外|"},
                        9));
}

// The range row's check and bounds are shared by the one-row lists; their own length rules are tested with them.
TEST(CodeList, TheCheckTestsTheFirstBoxThenTheLastForLengthThenDigitsAndThePrintRunNeedsBothNumbers) {
    ReportFile file;
    const auto check = [&file](const char* first, const char* last) {
        return file.checked(reports::CLIST_Check, {{0, first}, {6, last}});
    };
    EXPECT_EQ(check("01", "99"), "0 -1");
    EXPECT_EQ(check("001", "99"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("01", "100"), "9 6 規定の桁数を超えました。");
    EXPECT_EQ(check("0a", "999"), "9 0 入力結果が数字ではありません。");
    EXPECT_EQ(check("01", " 9"), "9 6 入力結果が数字ではありません。");
    EXPECT_EQ(check("", "99"), "9 0 入力結果が数字ではありません。"); // the print run needs a number
    file.printsNothing(reports::CLIST_Print, "入力結果が数字ではありません。");
}

} // namespace
