#include "assets/asset_ledger_report.h"

#include "asset_report_fixture.h"

namespace {

using namespace asset_report_tests;
using report_run_tests::Frame;
using report_run_tests::joined;

const Frame assetFrame{"c005-110", "c005w5 c110w5 c026w1 c032w1 c058w1 c072w1 c079w1 c091w1 c097w1 c104w1"};
const Frame rowFrame{"c005-110", "c005w5 c110w5 c015w1 c022w1 c034w1 c046w1 c056w1 c060w1 c072w1 c084w1 c096w1"};

// clang-format off
const std::vector<std::string> assetHeadings{
    "r05 c005 s9 |　　　　　勘定科目|", "r05 c026 s9 |　連番|", "r05 c032 s9 |　　　　　　資産名称|",
    "r05 c058 s9 |　　　取得年月日|", "r05 c072 s9 | 耐用年数|", "r05 c079 s9 |　　　取得価格|",
    "r05 c091 s9 |　種別|", "r05 c097 s9 |　償却率|", "r05 c104 s9 |　方法|"};
const std::vector<std::string> computerLine{
    "r06 c005 s9 | 03-000310 器具備品|", "r06 c026 s9 |    1|", "r06 c032 s9 |パソコン|",
    "r06 c058 s9 |令和   6年 4月 1日|", "r06 c072 s9 |  4 年|", "r06 c079 s9 |        300,000|",
    "r06 c091 s9 |　有形|", "r06 c097 s9 |  0.5000|", "r06 c104 s9 |　定率|"};
const std::vector<std::string> rowHeadings{
    "r08 c005 s9 |　　年月度|", "r08 c015 s9 | 償却状況|", "r08 c022 s9 |　　期首帳簿価額|",
    "r08 c034 s9 |　　償却基礎価額|", "r08 c046 s9 |　　償却率|", "r08 c056 s9 |月数|",
    "r08 c060 s9 |　　　　　償却額|", "r08 c072 s9 |　　　累計償却額|", "r08 c084 s9 |　　　　償却残額|",
    "r08 c096 s9 |　　備　　考|"};
const std::vector<std::string> firstRow{
    "r09 c005 s9 |令和   6年 1月|", "r09 c015 s9 |　新規|", "r09 c022 s9 |        300,000|",
    "r09 c034 s9 |        300,000|", "r09 c046 s9 |    0.5000|", "r09 c056 s9 |   9|",
    "r09 c060 s9 |        112,500|", "r09 c072 s9 |        112,500|", "r09 c084 s9 |        172,500|"};
// clang-format on

std::vector<std::string> assetBlock(const std::string& pageNo, const std::vector<std::string>& line) {
    return joined(
        {{"r02 c050 s14 |資産台帳|", "r03 c086 s9 |作成日： 令和 8年 4月16日|", "r03 c102 s9 |（" + pageNo + "頁）|"},
         assetHeadings,
         line});
}

// The asset block's rules, then those of the row headings and of rows 9 to `last`, closed at last + 1.
std::vector<std::string> ledgerRules(int last) {
    std::vector<std::string> rules{assetFrame.line(5, 5), assetFrame.rules(5), assetFrame.line(6, 5),
                                   assetFrame.rules(6), assetFrame.line(7, 5)};
    if (last < 9) return rules;
    rules = joined({rules, {rowFrame.line(8, 5), rowFrame.rules(8)}});
    for (int r = 9; r <= last; ++r)
        rules = joined({rules, {rowFrame.line(r, r == 9 ? 5 : 1), rowFrame.rules(r)}});
    return joined({rules, {rowFrame.line(last + 1, 5)}});
}

TEST(AssetLedger, EachAssetOfTheRangesGetsPagesOfItsOwnWithItsRowsThirtySevenAPage) {
    AssetFile file;
    assets::ASSLIST_Init(file.dialog);
    file.add(Asset{.seq = 2, .name = "複合機", .date = 0, .method = 1, .kind = 0}); // no rows
    file.add(Asset{});
    file.add(Asset{.act = 1000000, .name = "範囲外"}); // beyond the last subject code
    file.add(Asset{.seq = 3, .name = "棚"});           // beyond the last serial number
    file.dialog.setFieldText(8, "2");
    const int statuses[] = {0, 1, 5, 6, 7, 8, 9};
    for (int i = 0; i < 38; ++i)
        file.add(Row{.ym = 202401 + i / 12 * 100 + i % 12, .sts = i < 7 ? statuses[i] : 1});

    EXPECT_TRUE(assets::ASSLIST_Print(file.dialog, file.page));
    const auto& pages = file.page.pages();
    ASSERT_EQ(pages.size(), 3u);
    const auto texts = pages[0].textLines();
    EXPECT_EQ(std::vector(texts.begin(), texts.begin() + 40),
              joined({assetBlock("  1", computerLine), rowHeadings, firstRow}));
    EXPECT_EQ(pages[0].ruleLines(), ledgerRules(45));
    std::string categories; // of the rows of category 1, 5, 6, 7, 8 and 9
    for (int r = 10; r <= 15; ++r)
        for (const auto& cell : pages[0].textsOnRow(r))
            if (cell.column() == 15) categories += cell.text + "|";
    EXPECT_EQ(categories, "　償却中|　売却|　廃棄|　最終|　完了|");
    EXPECT_EQ(pages[1].ruleLines(), ledgerRules(9));
    EXPECT_EQ(pages[1].textsOnRow(9).at(0).text, "令和   9年 2月");
    EXPECT_EQ(pages[2].textLines(),
              assetBlock("  3", {"r06 c005 s9 | 03-000310 器具備品|", "r06 c026 s9 |    2|", "r06 c032 s9 |複合機|",
                                 "r06 c072 s9 |  4 年|", "r06 c079 s9 |        300,000|", "r06 c091 s9 |　無形|",
                                 "r06 c097 s9 |  0.5000|", "r06 c104 s9 |　定額|"}));
    EXPECT_EQ(pages[2].ruleLines(), ledgerRules(0));
    EXPECT_EQ(file.page.endDocCalls(), 1);
    EXPECT_FALSE(file.page.drawnAfterEnd());
}

TEST(AssetLedger, ClassesAreReadAsNumbersAndRangesWithoutAssetsOrBoxesOfNoNumberPrintNothing) {
    const std::vector<std::tuple<int, const char*, int, const char*, const char*>> cases{
        {0, "3", 6, "03", ""},
        {0, "", 6, "3", ""}, // an empty first class reads as 0
        {0, "04", 6, "99", "印刷するデータがありません。"},
        {2, "", 8, "99999", "入力結果が数字ではありません。"}};
    for (const auto& [firstBox, first, lastBox, last, message] : cases) {
        AssetFile file;
        assets::ASSLIST_Init(file.dialog);
        file.add(Asset{});
        file.dialog.setFieldText(firstBox, first);
        file.dialog.setFieldText(lastBox, last);
        const bool printed = *message == '\0';
        EXPECT_EQ(assets::ASSLIST_Print(file.dialog, file.page), printed) << first << "-" << last;
        EXPECT_EQ(file.page.pagesPrinted() + file.page.endDocCalls(), printed ? 2 : 0);
        EXPECT_EQ(file.open.messages.shown, printed ? std::vector<std::string>{} : std::vector<std::string>{message});
    }
}

TEST(AssetLedger, TheCheckRefusesTheFirstFaultyBoxInTheOrderOfTheRowsAndPassesTheSetUpsDefaults) {
    AssetFile file;
    assets::ASSLIST_Init(file.dialog);
    const auto check = [&file](std::map<int, std::string> boxes) {
        for (int box : {0, 1, 2, 6, 7, 8})
            boxes.try_emplace(box, file.dialog.fieldText(box));
        return file.checked(assets::ASSLIST_Check, boxes);
    };
    EXPECT_EQ(check({}), "0 -1"); // 01-99, 000001-999999, 00001-99999
    EXPECT_EQ(check({{0, ""}}), "0 -1");
    EXPECT_EQ(check({{0, "001"}, {1, "x"}}), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check({{0, "01"}, {1, "0000001"}}), "9 1 規定の桁数を超えました。");
    EXPECT_EQ(check({{1, "000001"}, {2, "1a"}}), "9 2 入力結果が数字ではありません。");
    EXPECT_EQ(check({{2, "00001"}, {8, "100000"}}), "9 8 規定の桁数を超えました。");
    EXPECT_EQ(check({{8, "99999"}, {7, ""}}), "9 7 入力結果が数字ではありません。"); // no subject bound
    EXPECT_EQ(check({{7, "999999"}, {6, "-1"}}), "9 6 入力結果が数字ではありません。");

    file.s.CodeKbnTable[1][3] = ""; // no digit count: defaults that still pass, a class that fits 16 bits
    assets::ASSLIST_Init(file.dialog);
    EXPECT_EQ(check({}), "0 -1");
    EXPECT_EQ(check({{6, "32768"}}), "9 6 規定の桁数を超えました。");
}

} // namespace
