#include "assets/asset_ledger_report.h"

#include "asset_report_fixture.h"

namespace {

using namespace asset_report_tests;
using report_run_tests::Frame;
using report_run_tests::joined;

const Frame assetFrame{"c005-110", "c005w5 c110w5 c026w1 c032w1 c058w1 c072w1 c079w1 c091w1 c097w1 c104w1"};
const Frame rowFrame{"c005-110", "c005w5 c110w5 c015w1 c022w1 c034w1 c046w1 c056w1 c060w1 c072w1 c084w1 c096w1"};

// The page header, the asset headings and the computer's asset line.
std::vector<std::string> assetBlock(const std::string& pageNo) {
    return {"r02 c050 s14 |資産台帳|",
            "r03 c086 s9 |作成日： 令和 8年 4月16日|",
            "r03 c102 s9 |（" + pageNo + "頁）|",
            "r05 c005 s9 |　　　　　勘定科目|",
            "r05 c026 s9 |　連番|",
            "r05 c032 s9 |　　　　　　資産名称|",
            "r05 c058 s9 |　　　取得年月日|",
            "r05 c072 s9 | 耐用年数|",
            "r05 c079 s9 |　　　取得価格|",
            "r05 c091 s9 |　種別|",
            "r05 c097 s9 |　償却率|",
            "r05 c104 s9 |　方法|",
            "r06 c005 s9 | 03-000310 器具備品|",
            "r06 c026 s9 |    1|",
            "r06 c032 s9 |パソコン|",
            "r06 c058 s9 |令和   6年 4月 1日|",
            "r06 c072 s9 |  4 年|",
            "r06 c079 s9 |        300,000|",
            "r06 c091 s9 |　有形|",
            "r06 c097 s9 |  0.5000|",
            "r06 c104 s9 |　定率|"};
}

const std::vector<std::string> rowHeadings{"r08 c005 s9 |　　年月度|",       "r08 c015 s9 | 償却状況|",
                                           "r08 c022 s9 |　　期首帳簿価額|", "r08 c034 s9 |　　償却基礎価額|",
                                           "r08 c046 s9 |　　償却率|",       "r08 c056 s9 |月数|",
                                           "r08 c060 s9 |　　　　　償却額|", "r08 c072 s9 |　　　累計償却額|",
                                           "r08 c084 s9 |　　　　償却残額|", "r08 c096 s9 |　　備　　考|"};

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

struct LedgerFile : AssetFile {
    LedgerFile() { assets::ASSLIST_Init(dialog); }
    const std::vector<platform::RecordedPage>& printed() {
        EXPECT_TRUE(assets::ASSLIST_Print(dialog, page));
        EXPECT_EQ(page.endDocCalls(), 1);
        EXPECT_FALSE(page.drawnAfterEnd());
        return page.pages();
    }
};

TEST(AssetLedger, AnAssetPrintsItsMasterLineAboveEveryStoredRowWithTheRemainingValue) {
    LedgerFile file;
    file.add(Asset{});
    file.add(Row{});
    file.add(Row{.ym = 202512,
                 .sts = 1,
                 .opening = 187500,
                 .base = 187500,
                 .months = 12,
                 .depreciation = 93750,
                 .accumulated = 206250});
    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(
        sheet(pages[0]),
        joined({assetBlock("  1"),
                rowHeadings,
                {"r09 c005 s9 |令和   6年12月|", "r09 c015 s9 |　新規|", "r09 c022 s9 |        300,000|",
                 "r09 c034 s9 |        300,000|", "r09 c046 s9 |    0.5000|", "r09 c056 s9 |   9|",
                 "r09 c060 s9 |        112,500|", "r09 c072 s9 |        112,500|", "r09 c084 s9 |        172,500|",
                 "r10 c005 s9 |令和   7年12月|", "r10 c015 s9 |　償却中|", "r10 c022 s9 |        187,500|",
                 "r10 c034 s9 |        187,500|", "r10 c046 s9 |    0.5000|", "r10 c056 s9 |  12|",
                 "r10 c060 s9 |         93,750|", "r10 c072 s9 |        206,250|", "r10 c084 s9 |         78,750|"},
                ledgerRules(10)}));
    EXPECT_EQ(file.page.orientation(), 2);
    EXPECT_EQ(file.page.paperSize(), 9);
}

TEST(AssetLedger, ThirtySevenRowsFillAPageAndTheThirtyEighthRepeatsTheAssetBlockOnTheNext) {
    LedgerFile file;
    file.add(Asset{});
    file.addMonthlyRows(38);
    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines(), ledgerRules(45));
    EXPECT_EQ(pages[0].textsOnRow(45).at(0).text, "令和   9年 1月");
    EXPECT_EQ(
        sheet(pages[1]),
        joined({assetBlock("  2"),
                rowHeadings,
                {"r09 c005 s9 |令和   9年 2月|", "r09 c015 s9 |　償却中|", "r09 c022 s9 |        300,000|",
                 "r09 c034 s9 |        300,000|", "r09 c046 s9 |    0.5000|", "r09 c056 s9 |   1|",
                 "r09 c060 s9 |        112,500|", "r09 c072 s9 |        112,500|", "r09 c084 s9 |        172,500|"},
                ledgerRules(9)}));
}

TEST(AssetLedger, EachAssetInTheRangesStartsAPageAndOneWithoutRowsPrintsOnlyItsBlock) {
    LedgerFile file;
    file.add(Asset{.seq = 2, .name = "複合機", .date = 0, .method = 1, .kind = 0});
    file.add(Asset{});
    file.add(Asset{.act = 1000000, .name = "範囲外"}); // beyond the last subject code
    file.add(Asset{.seq = 3, .name = "棚", .kind = 7});
    file.add(Row{});
    file.dialog.setFieldText(8, "2"); // the last serial number
    const auto& pages = file.printed();

    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].textsOnRow(9).at(1).text, "　新規");
    std::vector<std::string> expected = assetBlock("  2");
    expected.resize(12); // the asset line differs
    expected.insert(expected.end(), {"r06 c005 s9 | 03-000310 器具備品|", "r06 c026 s9 |    2|", "r06 c032 s9 |複合機|",
                                     "r06 c072 s9 |  4 年|", "r06 c079 s9 |        300,000|", "r06 c091 s9 |　無形|",
                                     "r06 c097 s9 |  0.5000|", "r06 c104 s9 |　定額|"});
    EXPECT_EQ(pages[1].textLines(), expected);
    EXPECT_EQ(pages[1].ruleLines(), ledgerRules(0));
}

TEST(AssetLedger, RowCellsNameTheCategoryAndShowARemainingValueBelowZero) {
    LedgerFile file;
    file.add(Asset{.kbn = 4, .act = 499});
    const std::vector<std::pair<int, std::string>> categories{{1, "　償却中"}, {5, "　売却"}, {6, "　廃棄"},
                                                              {7, ""},         {8, "　最終"}, {9, "　完了"}};
    for (const auto& [sts, label] : categories)
        file.add(Row{.kbn = 4, .act = 499, .sts = sts, .accumulated = 300000});
    const auto& page = file.printed().at(0);

    EXPECT_EQ(page.textsOnRow(6).at(0).text, " 04-000499"); // no such subject: the codes alone
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const auto cells = page.textsOnRow(static_cast<int>(9 + i));
        const std::string category = cells.at(1).column() == 15 ? cells.at(1).text : "";
        EXPECT_EQ(category, categories[i].second) << categories[i].first;
        EXPECT_EQ(cells.back().text, "        -15,000");
    }
}

TEST(AssetLedger, ClassBoxesAreReadAsNumbersAndAnEmptyFirstBoxSelectsFromClassZero) {
    for (const auto& [first, last, pages] : std::vector<std::tuple<const char*, const char*, std::size_t>>{
             {"3", "03", 1}, {"", "2", 1}, {"04", "99", 0}, {"05", "01", 0}}) {
        LedgerFile file;
        file.add(Asset{});
        file.add(Asset{.kbn = 0, .act = 1, .name = "区分なし"});
        file.dialog.setFieldText(0, first);
        file.dialog.setFieldText(6, last);
        EXPECT_EQ(assets::ASSLIST_Print(file.dialog, file.page), pages > 0) << first << "-" << last;
        EXPECT_EQ(file.page.pages().size(), pages);
        EXPECT_EQ(file.page.endDocCalls(), pages > 0 ? 1 : 0);
        EXPECT_EQ(file.open.messages.shown,
                  pages > 0 ? std::vector<std::string>{} : std::vector<std::string>{"印刷するデータがありません。"});
    }
}

TEST(AssetLedger, TheSetUpTakesTheClassDefaultsFromTheDigitsOfCategoryOne) {
    LedgerFile file;
    EXPECT_EQ(file.dialog.labels.at(12), "資産台帳");
    EXPECT_EQ(file.dialog.labels.at(13), "A4 横");
    std::vector<std::string> boxes;
    for (int box : {0, 6, 1, 7, 2, 8})
        boxes.push_back(file.dialog.fieldText(box));
    EXPECT_EQ(boxes, (std::vector<std::string>{"01", "99", "000001", "999999", "00001", "99999"}));

    file.s.CodeKbnTable[1][3] = ""; // category 1 not registered: the widest defaults, no limit
    assets::ASSLIST_Init(file.dialog);
    EXPECT_EQ(file.dialog.fieldText(0) + " " + file.dialog.fieldText(6), "000001 999999");
}

TEST(AssetLedger, TheCheckRefusesTheFirstFaultyBoxInTheOrderOfTheRows) {
    LedgerFile file;
    const auto check = [&file](std::map<int, std::string> boxes) {
        for (int box : {0, 1, 2, 6, 7, 8})
            boxes.try_emplace(box, file.dialog.fieldText(box));
        return file.checked(assets::ASSLIST_Check, boxes);
    };
    EXPECT_EQ(check({}), "0 -1");
    EXPECT_EQ(check({{0, ""}}), "0 -1");
    EXPECT_EQ(check({{0, "001"}, {1, "x"}}), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check({{0, "01"}, {1, "0000001"}}), "9 1 規定の桁数を超えました。");
    EXPECT_EQ(check({{1, "000001"}, {2, "1a"}}), "9 2 入力結果が数字ではありません。");
    EXPECT_EQ(check({{2, "00001"}, {8, "100000"}}), "9 8 規定の桁数を超えました。");
    EXPECT_EQ(check({{8, "99999"}, {7, ""}}), "9 7 入力結果が数字ではありません。"); // no subject bound
    EXPECT_EQ(check({{7, "999999"}, {6, "-1"}}), "9 6 入力結果が数字ではありません。");

    file.s.CodeKbnTable[1][3] = ""; // no limit, but a class still fits its 16-bit field
    EXPECT_EQ(check({{6, "32767"}}), "0 -1");
    EXPECT_EQ(check({{6, "32768"}}), "9 6 規定の桁数を超えました。");
}

TEST(AssetLedger, APrintRunOnBoxesTheCheckWouldRefusePrintsNothing) {
    LedgerFile file;
    file.add(Asset{});
    file.dialog.setFieldText(2, "");
    EXPECT_FALSE(assets::ASSLIST_Print(file.dialog, file.page));
    EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{"入力結果が数字ではありません。"});
    EXPECT_EQ(file.page.pagesPrinted() + file.page.endDocCalls(), 0);
}

} // namespace
