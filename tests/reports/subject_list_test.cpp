#include "reports/subject_list.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

const Frame frame{"c005-078", "c005w5 c078w5 c008w1 c019w1 c024w1 c044w1 c048w1 c053w1 c058w1"};

std::vector<std::string> subjectSheet(const std::string& pageNo, const std::vector<std::string>& rows, int last) {
    return joined({pageHead("勘定科目一覧表", pageNo, 1),
                   {"r05 c005 s9 |区分|", "r05 c008 s9 |区分名称|", "r05 c019 s9 |科目|", "r05 c024 s9 |　　科目名称|",
                    "r05 c044 s9 |入出|", "r05 c048 s9 |出納簿|", "r05 c053 s9 |詳細|", "r05 c058 s9 |詳細内容|"},
                   rows,
                   frame.listRules(last)});
}

TEST(SubjectList, ASubjectIsFollowedByItsDetailsWithDirectionCashBookMarkAndDetailName) {
    ReportFile file;
    file.addSubject(1, 101, 1, "売上（電気）");
    file.addSubject(1, 101, 7, "売上（その他）", 0, 1); // a detail code not registered
    file.addSubject(1, 103, 0, "受取利息", 1, 1);
    reports::KAMOKULIST_Init(file.dialog);
    file.dialog.fields[6] = "01";

    const auto& pages = file.printed(reports::KAMOKULIST_Print);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(sheet(pages[0]),
              subjectSheet("  1",
                           {"r06 c005 s9 | 01|",          "r06 c008 s9 |収入|",     "r06 c019 s9 |000101|",
                            "r06 c024 s9 |売上|",         "r06 c044 s9 |入金|",     "r07 c019 s9 |000101|",
                            "r07 c024 s9 |売上（電気）|", "r07 c044 s9 |入金|",     "r07 c053 s9 |   001|",
                            "r07 c058 s9 |電気|",         "r08 c019 s9 |000101|",   "r08 c024 s9 |売上（その他）|",
                            "r08 c044 s9 |入金|",         "r08 c048 s9 |  外 |",    "r08 c053 s9 |   007|",
                            "r09 c019 s9 |000102|",       "r09 c024 s9 |雑収入|",   "r09 c044 s9 |入金|",
                            "r10 c019 s9 |000103|",       "r10 c024 s9 |受取利息|", "r10 c044 s9 |出金|",
                            "r10 c048 s9 |  外 |"},
                           10));
    EXPECT_EQ(file.page.orientation(), 1);
}

TEST(SubjectList, TheFiftySixthSubjectStartsPageTwoWithItsCategoryShownAgainAndANewCategoryShowsItsOwn) {
    ReportFile file;
    for (int act = 1; act <= 56; ++act)
        file.addSubject(6, act, 0, "科目" + std::to_string(act)); // categories without a code of their own
    file.addSubject(7, 1, 0, "科目");
    file.dialog.fields = {{0, "6"}, {6, "7"}};

    const auto& pages = file.printed(reports::KAMOKULIST_Print);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), frame.listRules(60));
    EXPECT_EQ(sheet(pages[1]),
              subjectSheet("  2",
                           {"r06 c005 s9 | 06|", "r06 c019 s9 |000056|", "r06 c024 s9 |科目56|", "r06 c044 s9 |入金|",
                            "r07 c005 s9 | 07|", "r07 c019 s9 |000001|", "r07 c024 s9 |科目|", "r07 c044 s9 |入金|"},
                           7));
}

TEST(SubjectList, TheDefaultsAndTheLengthLimitFollowTheCategoryDigits) {
    ReportFile file;
    reports::KAMOKULIST_Init(file.dialog);
    EXPECT_EQ(std::make_pair(file.dialog.fields[0], file.dialog.fields[6]),
              std::make_pair(std::string("01"), std::string("99")));
    const auto check = [&file](const char* first, const char* last) {
        return file.checked(reports::KAMOKULIST_Check, {{0, first}, {6, last}});
    };
    EXPECT_EQ(check("01", "99"), "0 -1");
    EXPECT_EQ(check("01", "100"), "9 6 規定の桁数を超えました。");
}

} // namespace
