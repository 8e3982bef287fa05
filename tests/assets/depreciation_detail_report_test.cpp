#include "assets/depreciation_detail_report.h"

#include "asset_report_fixture.h"

namespace {

using namespace asset_report_tests;
using report_run_tests::Frame;
using report_run_tests::joined;

const Frame frame{"c005-110", "c005w5 c110w5 c024w1 c034w1 c046w1 c056w1 c060w1 c070w1 c076w1 c080w1 c090w1 c100w1"};

// clang-format off
const std::vector<std::string> headings{
    "r05 c005 s9 |　　勘定科目／資産名称|", "r05 c024 s9 |　年月／状況|", "r05 c034 s9 |　取得日／耐用年|",
    "r05 c046 s9 |　　　取得価格|", "r05 c056 s9 | 種別|", "r05 c060 s9 |　償却基礎価額|", "r05 c070 s9 | 償却率|",
    "r05 c076 s9 |月数|", "r05 c080 s9 |　当期償却額|", "r05 c090 s9 |　償却累計額|", "r05 c100 s9 |　　償却残額|"};
// The computer's row of December, then a row of January whose asset is not registered.
const std::vector<std::string> twoEntries{
    "r06 c005 s7 | 03-000310 器具備品|", "r06 c024 s9 |令和  6年12月|", "r06 c034 s9 |令和  6年 4月 1日|",
    "r06 c046 s9 |       300,000|", "r06 c056 s9 | 有形|", "r06 c060 s9 |       300,000|", "r06 c070 s9 | 0.5000|",
    "r06 c076 s9 |   9|", "r06 c080 s9 |       112,500|", "r06 c090 s9 |       112,500|",
    "r06 c100 s9 |       172,500|", "r07 c005 s9 |    1 パソコン|", "r07 c024 s9 |　新規|",
    "r07 c034 s9 |         4 年|", "r07 c056 s9 | 定率|",
    "r08 c005 s7 | 03-000310 器具備品|", "r08 c024 s9 |令和  6年 1月|", "r08 c046 s9 |              |",
    "r08 c060 s9 |       300,000|", "r08 c070 s9 | 0.5000|", "r08 c076 s9 |   9|", "r08 c080 s9 |       112,500|",
    "r08 c090 s9 |         5,000|", "r08 c100 s9 |        -5,000|", "r09 c005 s9 |    9|",
    "r09 c024 s9 |　償却最終|", "r09 c034 s9 |           年|"};
// clang-format on

std::vector<std::string> header(const std::string& pageNo) {
    return joined({{"r02 c050 s14 |固定資産等及び償却明細|", "r03 c086 s9 |作成日： 令和 8年 4月16日|",
                    "r03 c102 s9 |（" + pageNo + "頁）|"},
                   headings});
}

// The heading's rules, then those of `entries` two-row entries from row 6, closed by a heavy rule.
std::vector<std::string> detailRules(int entries) {
    std::vector<std::string> rules{frame.line(5, 5), frame.rules(5)};
    for (int r = 6; r < 6 + 2 * entries; r += 2)
        rules = joined({rules, {frame.line(r, r == 6 ? 5 : 1), frame.rules(r), frame.rules(r + 1)}});
    return joined({rules, {frame.line(6 + 2 * entries, 5)}});
}

TEST(DepreciationDetail, EachRowOfTheYearTakesTwoLinesBesideItsAssetNineteenEntriesAPage) {
    AssetFile file;
    file.add(Asset{});
    file.add(Row{});
    file.add(Row{.seq = 9, .ym = 202401, .sts = 8, .accumulated = 5000}); // no such asset
    for (int ym : {202312, 202501})                                       // outside the year
        file.add(Row{.ym = ym});
    for (int seq = 10; seq <= 27; ++seq)
        file.add(Row{.seq = seq});
    assets::ASSETLIST_Init(file.dialog);
    file.dialog.setFieldText(0, "506");

    EXPECT_TRUE(assets::ASSETLIST_Print(file.dialog, file.page));
    const auto& pages = file.page.pages();
    ASSERT_EQ(pages.size(), 2u);
    const auto texts = pages[0].textLines();
    EXPECT_EQ(std::vector(texts.begin(), texts.begin() + 41), joined({header("  1"), twoEntries}));
    EXPECT_EQ(pages[0].ruleLines(), detailRules(19));
    EXPECT_EQ(pages[1].ruleLines(), detailRules(1));
    const auto next = pages[1].textLines();
    EXPECT_EQ(std::vector(next.begin(), next.begin() + 14), header("  2"));
    EXPECT_EQ(pages[1].textsOnRow(7).at(0).text, "   27");
    EXPECT_EQ(file.page.endDocCalls(), 1);
    EXPECT_FALSE(file.page.drawnAfterEnd());
}

TEST(DepreciationDetail, TheSetUpProposesTheProcessingYearAndAYearOfNoEraOrWithoutRowsPrintsNothing) {
    AssetFile file;
    file.add(Row{});
    assets::ASSETLIST_Init(file.dialog);
    EXPECT_EQ(file.dialog.labels.at(12), "固定資産等及び償却明細 ");
    EXPECT_EQ(file.dialog.fieldText(0) + file.dialog.labels.at(6), "508 5 :令和 4 :平成");
    const auto check = [&file](const char* year) { return file.checked(assets::ASSETLIST_Check, {{0, year}}); };
    EXPECT_EQ(check("431"), "0 -1");
    EXPECT_EQ(check("5080"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("5a"), "9 0 入力結果が数字ではありません。");
    for (const char* year : {"", "11" /* era 0 */, "608"})
        EXPECT_EQ(check(year), "9 0 日付の誤りです。再度、入力して下さい。") << year;

    for (const auto& [year, message] : std::vector<std::pair<std::string, std::string>>{
             {"505", "印刷するデータがありません。"}, {"11", "日付の誤りです。再度、入力して下さい。"}}) {
        file.open.messages.shown.clear();
        file.dialog.setFieldText(0, year);
        EXPECT_FALSE(assets::ASSETLIST_Print(file.dialog, file.page)) << year;
        EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{message});
    }
    EXPECT_EQ(file.page.pagesPrinted() + file.page.endDocCalls(), 0);
}

} // namespace
