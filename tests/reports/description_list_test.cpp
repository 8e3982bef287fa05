#include "reports/description_list.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-077", "c005w5 c077w5 c010w1 c030w1 c046w1 c061w1"};

std::vector<std::string> descriptionSheet(const std::string& pageNo, const std::vector<std::string>& rows, int last) {
    return joined({pageHead("摘要一覧表", pageNo, 1),
                   {"r05 c005 s9 |コード|", "r05 c010 s9 |　　摘要名称|", "r05 c030 s9 |　　勘定科目|",
                    "r05 c046 s9 |　　詳　　細|", "r05 c061 s9 |　　相 手 先|"},
                   rows,
                   frame.listRules(last)});
}

TEST(DescriptionList, EachDescriptionShowsItsSubjectDetailAndCounterpartWithTheNamesFound) {
    ReportFile file;
    file.addDescription("000007", "電気代", 2, 207, 1, 2, 1);
    file.addDescription("000008", "不明", 2, 999, 9, 25, 5); // neither subject nor detail registered
    file.addCode(25, 5, "分類外"); // a category beyond the code-category table names its codes all the same
    file.addDescription("000012", "範囲外", 1, 101);
    file.dialog.fields = {{0, "7"}, {6, "8"}}; // read as 000007 and 000008

    const auto& pages = file.printed(reports::TEKILIST_Print);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(sheet(pages[0]),
              descriptionSheet("  1",
                               {"r06 c005 s9 |000007|", "r06 c010 s7 |電気代|", "r06 c030 s7 | 02-000207 水道光熱費|",
                                "r06 c046 s7 |   001 電気|", "r06 c061 s7 | 2-0001 一般顧客|", "r07 c005 s9 |000008|",
                                "r07 c010 s7 |不明|", "r07 c030 s7 | 02-000999|", "r07 c046 s7 |   009|",
                                "r07 c061 s7 |25-5 分類外|"},
                               7));
    EXPECT_EQ(file.page.orientation(), 1);
}

TEST(DescriptionList, TheFiftySixthDescriptionStartsPageTwo) {
    ReportFile file;
    for (int code = 7; code <= 56; ++code)
        file.addDescription(std::string(code < 10 ? "00000" : "0000") + std::to_string(code), "摘要", 1, 101);
    reports::TEKILIST_Init(file.dialog);

    const auto& pages = file.printed(reports::TEKILIST_Print);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), frame.listRules(60));
    EXPECT_EQ(
        sheet(pages[1]),
        descriptionSheet("  2", {"r06 c005 s9 |000056|", "r06 c010 s7 |摘要|", "r06 c030 s7 | 01-000101 売上|"}, 6));
}

TEST(DescriptionList, TheCheckRefusesMoreThanSixCharacters) {
    ReportFile file;
    const auto check = [&file](const char* first, const char* last) {
        return file.checked(reports::TEKILIST_Check, {{0, first}, {6, last}});
    };
    EXPECT_EQ(check("000001", "999999"), "0 -1");
    EXPECT_EQ(check("0000001", "999999"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("1", "9999999"), "9 6 規定の桁数を超えました。");
}

} // namespace
