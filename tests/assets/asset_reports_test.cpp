#include "assets/asset_ledger_report.h"
#include "assets/depreciation_detail_report.h"

#include "reports/report_run_fixture.h"

namespace {

using report_run_tests::Frame;
using report_run_tests::joined;
using report_run_tests::pageHead;

db::Currency yen(long long amount) { return db::Currency::fromWhole(amount); }

// An office computer of subject 03-000310, bought on 2024-04-01 (令和 6年), unless told otherwise.
struct Asset {
    int act = 310, seq = 1;
    std::string name = "パソコン";
    int date = 20240401, method = 0, kind = 1;
};

// A depreciation row of the computer; every row has the same figures but its accumulated depreciation.
struct Row {
    int seq = 1, ym = 202412, sts = 0;
    long long accumulated = 112500;
};

class AssetFile : public report_run_tests::ReportFile {
public:
    AssetFile() { testing_support::addRow(*s.F21Table, {{"F21_KBN", 3}, {"F21_ACT", 310}, {"F21_NAM", "器具備品"}}); }
    void add(const Asset& a) {
        const testing_support::Fields fields{{"F28_KBN", 3},           {"F28_ACT", a.act},      {"F28_SEQ", a.seq},
                                             {"F28_NAM", a.name},      {"F28_DAT", a.date},     {"F28_NEN", 4},
                                             {"F28_AMT", yen(300000)}, {"F28_PCT", 0.5},        {"F28_KND", a.method},
                                             {"F28_SHU", a.kind},      {"F28_LMT", yen(285000)}};
        testing_support::addRow(*s.F28Table, fields);
    }
    void add(const Row& r) {
        // clang-format off
        testing_support::addRow(*s.F50Table, {{"F50_KBN", 3}, {"F50_ACT", 310}, {"F50_SEQ", r.seq}, {"F50_YM", r.ym},
            {"F50_STS", r.sts}, {"F50_OPN", yen(300000)}, {"F50_GRS", yen(300000)}, {"F50_MTH", 9},
            {"F50_PCT", 0.5}, {"F50_CAL", yen(112500)}, {"F50_CLS", yen(r.accumulated)}});
        // clang-format on
    }
};

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
    return joined({pageHead("資産台帳", pageNo, 2), assetHeadings, line});
}

// The asset block's rules, then those of the row headings and of rows 9 to `last`, closed at last + 1.
std::vector<std::string> ledgerRules(int last) {
    const std::vector<std::string> block{assetFrame.line(5, 5), assetFrame.rules(5), assetFrame.line(6, 5),
                                         assetFrame.rules(6), assetFrame.line(7, 5)};
    return last < 9 ? block : joined({block, rowFrame.listRules(last, 8)});
}

TEST(AssetLedger, EachAssetOfTheRangesGetsPagesOfItsOwnWithItsRowsThirtySevenAPage) {
    AssetFile file;
    assets::ASSLIST_Init(file.dialog);
    file.add(Asset{.seq = 2, .name = "複合機", .date = 0, .method = 1, .kind = 0}); // no rows
    file.add(Asset{});
    file.add(Asset{.seq = 3, .name = "棚"}); // beyond the last serial number
    file.dialog.setFieldText(0, "");         // reads as class 0
    file.dialog.setFieldText(6, "3");
    file.dialog.setFieldText(7, "310"); // the asset's own subject ends the range
    file.dialog.setFieldText(8, "2");
    const int statuses[] = {0, 1, 5, 6, 7, 8, 9};
    for (int i = 0; i < 38; ++i)
        file.add(Row{.ym = 202401 + i / 12 * 100 + i % 12, .sts = i < 7 ? statuses[i] : 1});

    const auto& pages = file.printed(assets::ASSLIST_Print);
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
}

TEST(AssetLedger, TheFirstFaultyBoxInTheOrderOfTheRowsIsRefusedAndRangesWithoutAssetsPrintNothing) {
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

    assets::ASSLIST_Init(file.dialog);
    file.add(Asset{.act = 1000000}); // beyond the last subject code
    file.printsNothing(assets::ASSLIST_Print, "印刷するデータがありません。");
    file.dialog.setFieldText(2, ""); // the print run refuses it too
    file.printsNothing(assets::ASSLIST_Print, "入力結果が数字ではありません。");

    file.s.CodeKbnTable[1][3] = ""; // no digit count: defaults that still pass, a class that fits 16 bits
    assets::ASSLIST_Init(file.dialog);
    EXPECT_EQ(check({}), "0 -1");
    EXPECT_EQ(check({{6, "32768"}}), "9 6 規定の桁数を超えました。");
}

const Frame detailFrame{"c005-110",
                        "c005w5 c110w5 c024w1 c034w1 c046w1 c056w1 c060w1 c070w1 c076w1 c080w1 c090w1 c100w1"};

// clang-format off
const std::vector<std::string> detailHeadings{
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
    return joined({pageHead("固定資産等及び償却明細", pageNo, 2), detailHeadings});
}

// The heading's rules, then those of `entries` two-row entries from row 6, closed by a heavy rule.
std::vector<std::string> detailRules(int entries) {
    return joined({{detailFrame.line(5, 5), detailFrame.rules(5)},
                   detailFrame.entryRules(6, 4 + 2 * entries),
                   {detailFrame.line(6 + 2 * entries, 5)}});
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

    const auto& pages = file.printed(assets::ASSETLIST_Print);
    ASSERT_EQ(pages.size(), 2u);
    const auto texts = pages[0].textLines();
    EXPECT_EQ(std::vector(texts.begin(), texts.begin() + 41), joined({header("  1"), twoEntries}));
    EXPECT_EQ(pages[0].ruleLines(), detailRules(19));
    EXPECT_EQ(pages[1].ruleLines(), detailRules(1));
    const auto next = pages[1].textLines();
    EXPECT_EQ(std::vector(next.begin(), next.begin() + 14), header("  2"));
    EXPECT_EQ(pages[1].textsOnRow(7).at(0).text, "   27");
}

TEST(DepreciationDetail, TheSetUpProposesTheProcessingYearAndAYearOfNoEraIsRefusedByCheckAndPrintRun) {
    AssetFile file;
    file.add(Row{});
    assets::ASSETLIST_Init(file.dialog);
    EXPECT_EQ(file.dialog.labels.at(12), "固定資産等及び償却明細 ");
    EXPECT_EQ(file.dialog.fieldText(0) + file.dialog.labels.at(6), "508 5 :令和 4 :平成");
    const auto check = [&file](const char* year) { return file.checked(assets::ASSETLIST_Check, {{0, year}}); };
    EXPECT_EQ(check("431"), "0 -1");
    EXPECT_EQ(check("5080"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("11"), "9 0 日付の誤りです。再度、入力して下さい。"); // read as 011: era 0

    file.printsNothing(assets::ASSETLIST_Print,
                       "日付の誤りです。再度、入力して下さい。"); // refused by the print run too
}

TEST(AssetReports, AThirtyCharacterAssetNameStaysInItsColumnOnBothReports) {
    const std::string name = "本社事務所応接室用大型会議テーブル及び椅子一式並びに書棚二台";
    const auto printedName = [&](auto init, auto print, const char* box0) {
        AssetFile file;
        file.add(Asset{.name = name});
        file.add(Row{});
        init(file.dialog);
        if (box0) file.dialog.setFieldText(0, box0);
        for (const auto& text : file.printed(print).at(0).texts)
            if (text.text.ends_with(name)) return text;
        ADD_FAILURE() << "the name is not printed";
        return platform::RecordedText{};
    };
    const auto ledger = printedName(assets::ASSLIST_Init, assets::ASSLIST_Print, nullptr);
    EXPECT_EQ(ledger.x + ledger.room, 58 * 144 - 72); // the rule before the acquisition date
    const auto detail = printedName(assets::ASSETLIST_Init, assets::ASSETLIST_Print, "506");
    EXPECT_NE(detail.room, platform::AnyWidth);
}

} // namespace
