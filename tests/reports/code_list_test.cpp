#include "reports/code_list.h"

#include "report_run_fixture.h"

#include <cstdio>

namespace {

using namespace report_run_tests;

std::string twoDigits(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string ruleLine(int row, int width) { return "Line r" + twoDigits(row) + " c005-078 w" + std::to_string(width); }
std::string rowRules(int row) {
    return "Row r" + twoDigits(row) + " c005w5 c078w5 c008w1 c024w1 c030w1 c050w1 c057w1 c064w1 c071w1";
}

std::vector<std::string> headerTexts(const std::string& pageNo) {
    return {"r02 c030 s14 |コード一覧表|",
            "r03 c052 s9 |作成日： 令和 8年 4月16日|",
            "r03 c068 s9 |（" + pageNo + "頁）|",
            "r05 c005 s9 |区分|",
            "r05 c008 s9 |区分名称|",
            "r05 c024 s9 |コード|",
            "r05 c030 s9 |     内     容|",
            "r05 c050 s9 | 備考１|",
            "r05 c057 s9 | 備考２|",
            "r05 c064 s9 | 備考３|",
            "r05 c071 s9 | 備考４|"};
}

// The heading row's rules, then one ruled row for each code on rows `from` to `to`, the first ruled heavy.
std::vector<std::string> rowsRuled(int from, int to) {
    std::vector<std::string> rules = {ruleLine(5, 5), rowRules(5)};
    for (int r = from; r <= to; ++r)
        appendAll(rules, {ruleLine(r, r == from ? 5 : 1), rowRules(r)});
    return rules;
}

TEST(CodeList, EachCategoryOpensWithItsNumberAndNameAndTheLastRowIsClosedByAHeavyRule) {
    ReportFile file;
    file.addCode(2, 4, "信用金庫", "振込");
    reports::CLIST_Init(file.dialog);

    EXPECT_TRUE(reports::CLIST_Print(file.dialog, file.page));

    std::vector<std::string> expected = headerTexts("  1");
    appendAll(expected,
              {"r06 c005 s9 | 01|",      "r06 c008 s9 |科目分類|", "r06 c024 s9 |    01|", "r06 c030 s9 |収入|",
               "r07 c024 s9 |    02|",   "r07 c030 s9 |経費|",     "r08 c024 s9 |    03|", "r08 c030 s9 |資産|",
               "r09 c024 s9 |    04|",   "r09 c030 s9 |負債|",     "r10 c024 s9 |    05|", "r10 c030 s9 |資本|",
               "r11 c005 s9 | 02|",      "r11 c008 s9 |取引先|",   "r11 c024 s9 |  0001|", "r11 c030 s9 |一般顧客|",
               "r12 c024 s9 |  0002|",   "r12 c030 s9 |仕入先|",   "r13 c024 s9 |  0003|", "r13 c030 s9 |取引銀行|",
               "r14 c024 s9 |  0004|",   "r14 c030 s9 |信用金庫|", "r14 c050 s7 |振込|",   "r15 c005 s9 | 03|",
               "r15 c008 s9 |細目分類|", "r15 c024 s9 |   001|",   "r15 c030 s9 |電気|",   "r16 c024 s9 |   002|",
               "r16 c030 s9 |ガス|",     "r17 c024 s9 |   003|",   "r17 c030 s9 |水道|"});
    appendAll(expected, rowsRuled(6, 17));
    expected.push_back(ruleLine(18, 5));

    ASSERT_EQ(file.page.pages().size(), 1u);
    EXPECT_EQ(sheet(file.page.pages()[0]), expected);
    EXPECT_EQ(file.page.paperSize(), 9);
    EXPECT_EQ(file.page.orientation(), 1);
    EXPECT_EQ(file.page.endDocCalls(), 1);
    EXPECT_FALSE(file.page.drawnAfterEnd());
}

TEST(CodeList, FiftyFiveCodesFillAPageAndACategoryGoingOnRepeatsItsHeadingOnTheNext) {
    ReportFile file;
    for (int code = 4; code <= 50; ++code)
        file.addCode(3, code, "細目" + std::to_string(code));
    file.addCode(25, 5, "分類外"); // a category the code-category table has no row for
    reports::CLIST_Init(file.dialog);

    EXPECT_TRUE(reports::CLIST_Print(file.dialog, file.page));

    ASSERT_EQ(file.page.pages().size(), 2u);
    const auto& first = file.page.pages()[0];
    std::vector<std::string> firstRules = rowsRuled(6, 60);
    firstRules.push_back(ruleLine(61, 5));
    EXPECT_EQ(first.ruleLines(), firstRules);
    EXPECT_EQ(first.textLines().back(), "r60 c030 s9 |細目47|");

    std::vector<std::string> second = headerTexts("  2");
    appendAll(second, {"r06 c005 s9 | 03|", "r06 c008 s9 |細目分類|", "r06 c024 s9 |   048|", "r06 c030 s9 |細目48|",
                       "r07 c024 s9 |   049|", "r07 c030 s9 |細目49|", "r08 c024 s9 |   050|", "r08 c030 s9 |細目50|",
                       "r09 c005 s9 | 25|", "r09 c024 s9 |     5|", "r09 c030 s9 |分類外|"});
    appendAll(second, rowsRuled(6, 9));
    second.push_back(ruleLine(10, 5));
    EXPECT_EQ(sheet(file.page.pages()[1]), second);
    EXPECT_EQ(file.page.endDocCalls(), 1);
}

TEST(CodeList, ARangeWithoutCodesTellsSoAndPrintsNothing) {
    ReportFile file;
    file.dialog.setFieldText(0, "05");
    file.dialog.setFieldText(6, "03");

    EXPECT_FALSE(reports::CLIST_Print(file.dialog, file.page));

    EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{"印刷するデータがありません。"});
    EXPECT_EQ(file.page.pagesPrinted(), 0);
    EXPECT_EQ(file.page.endDocCalls(), 0);
}

TEST(CodeList, SetUpOffersEveryCategory) {
    ReportFile file;
    reports::CLIST_Init(file.dialog);

    EXPECT_EQ(file.dialog.labels,
              (std::map<int, std::string>{{0, "コード区分"}, {6, ""}, {12, "コード一覧表"}, {13, "A4 縦"}}));
    EXPECT_EQ(file.dialog.fields, (std::map<int, std::string>{{0, "01"}, {6, "99"}}));
}

TEST(CodeList, TheCheckTestsTheFirstBoxThenTheLastForLengthThenDigits) {
    const struct {
        const char *first, *last;
        const char* message; // nullptr: passes
        std::int16_t focus;
    } cases[] = {
        {"01", "99", nullptr, -1},
        {"5", "7", nullptr, -1},
        {"001", "99", "規定の桁数を超えました。", 0},
        {"01", "100", "規定の桁数を超えました。", 6},
        {"0a", "999", "入力結果が数字ではありません。", 0},
        {"01", " 9", "入力結果が数字ではありません。", 6},
        {"", "99", "入力結果が数字ではありません。", 0}, // the print run needs a number
        {"01", "", "入力結果が数字ではありません。", 6},
    };
    ReportFile file;
    for (const auto& c : cases) {
        file.open.messages.shown.clear();
        file.dialog.setFieldText(0, c.first);
        file.dialog.setFieldText(6, c.last);
        std::int16_t focus = -1;
        std::int16_t err = -1;
        reports::CLIST_Check(file.dialog, focus, err);
        EXPECT_EQ(err, c.message ? 9 : 0) << c.first << " " << c.last;
        EXPECT_EQ(focus, c.focus) << c.first << " " << c.last;
        const std::vector<std::string> shown =
            c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
        EXPECT_EQ(file.open.messages.shown, shown) << c.first << " " << c.last;
    }
    std::int16_t err = -1;
    reports::CLIST_CheckLength("123", 1, err);
    EXPECT_EQ(err, 0); // only the category boxes have a length
}

} // namespace
