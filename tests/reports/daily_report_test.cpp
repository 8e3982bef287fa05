#include "reports/daily_report.h"

#include "report_run_fixture.h"

#include <cstdio>

namespace {

using namespace report_run_tests;

std::string twoDigits(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string ruleLine(int row, int width) { return "Line r" + twoDigits(row) + " c005-110 w" + std::to_string(width); }
std::string rowRules(int row) { return "Row r" + twoDigits(row) + " c005w5 c110w5 c013w1 c041w1 c067w1 c095w1 c100w1"; }

std::vector<std::string> headerTexts(const std::string& pageNo) {
    return {"r02 c050 s14 |経理日報|",
            "r03 c086 s9 |作成日： 令和 8年 4月16日|",
            "r03 c102 s9 |（" + pageNo + "頁）|",
            "r04 c005 s9 |令和 8年 4月15日|",
            "r05 c005 s9 |　伝票No-行|",
            "r05 c013 s9 |　　　　勘定科目|",
            "r05 c041 s9 |　　　　摘要　/　備考|",
            "r05 c067 s9 |　　　　詳細　/　相手先|",
            "r05 c095 s9 | 区分|",
            "r05 c100 s9 |    　金　額|"};
}

std::vector<std::string> headerRules() { return {ruleLine(5, 5), rowRules(5), rowRules(6)}; }

// The rules of entries on rows `from`, from + 2, ... up to `to`; the first of a page is ruled heavy.
std::vector<std::string> entryRules(int from, int to) {
    std::vector<std::string> rules;
    for (int r = from; r <= to; r += 2)
        appendAll(rules, {ruleLine(r, r == 7 ? 5 : 1), rowRules(r), rowRules(r + 1)});
    return rules;
}

std::vector<std::string> totalRules() { return {ruleLine(43, 5), rowRules(43), ruleLine(44, 5)}; }

std::vector<std::string> pageBreakBand() {
    return {ruleLine(41, 5), rowRules(41), ruleLine(42, 5), rowRules(42), ruleLine(43, 5)};
}

// Lines of one voucher each, numbered from 1, on the subject 消耗品費.
void addPayments(ReportFile& file, int count) {
    for (int i = 1; i <= count; ++i)
        file.add({.dno = i, .lin = 1, .kbn = 2, .act = 204, .io = 1, .amount = 100});
}

TEST(DailyReport, ThreeLinesFillOnePageWithTheirTextsRulesEmptyEntriesAndTheTotalAtRow43) {
    ReportFile file;
    file.add({.dno = 1,
              .lin = 1,
              .kbn = 1,
              .act = 101,
              .knd = 2,
              .cus = 1,
              .tek = "000001",
              .rmk = "四月分",
              .io = 0,
              .amount = 150000});
    file.add({.dno = 1, .lin = 2, .kbn = 2, .act = 207, .srt = 1, .tek = "000004", .io = 1, .amount = 12000});
    file.add({.dno = 2, .lin = 1, .kbn = 2, .act = 204, .tek = "      ", .io = 1, .amount = 3500});
    file.add({.dno = 9, .lin = 1, .io = 0, .amount = 999, .ymd = 20260414}); // another day
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    std::vector<std::string> expected = headerTexts("  1");
    appendAll(expected, {"r07 c005 s9 |     1- 1|", "r07 c013 s9 | 01-000101 売上|", "r07 c041 s9 |000001 売上代金|",
                         "r07 c095 s9 | 入金|", "r07 c100 s9 |      150,000|", "r08 c041 s9 |四月分|",
                         "r08 c067 s9 | 2-0001 一般顧客|", "r09 c005 s9 |     1- 2|",
                         "r09 c013 s9 | 02-000207 水道光熱費|", "r09 c041 s9 |000004 電気料金|",
                         "r09 c067 s9 |   001 電気|", "r09 c095 s9 | 出金|", "r09 c100 s9 |       12,000|",
                         "r11 c005 s9 |     2- 1|", "r11 c013 s9 | 02-000204 消耗品費|", "r11 c095 s9 | 出金|",
                         "r11 c100 s9 |        3,500|", "r43 c005 s9 |　　合  計|", "r43 c100 s9 |      134,500|"});
    appendAll(expected, headerRules());
    appendAll(expected, entryRules(7, 11));
    appendAll(expected, entryRules(13, 41)); // 15 empty entries
    appendAll(expected, totalRules());

    ASSERT_EQ(file.page.pages().size(), 1u);
    EXPECT_EQ(sheet(file.page.pages()[0]), expected);
    EXPECT_EQ(file.page.paperSize(), 9);
    EXPECT_EQ(file.page.orientation(), 2);
    EXPECT_EQ(file.page.endDocCalls(), 1);
    EXPECT_FALSE(file.page.drawnAfterEnd());
    EXPECT_TRUE(file.open.messages.shown.empty());
}

TEST(DailyReport, SeventeenLinesFillOnePageAndLeaveOneEmptyEntryAboveTheTotal) {
    ReportFile file;
    addPayments(file, 17);
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    ASSERT_EQ(file.page.pages().size(), 1u);
    const auto& page = file.page.pages()[0];
    std::vector<std::string> rules = headerRules();
    appendAll(rules, entryRules(7, 41)); // 17 entries and one empty
    appendAll(rules, totalRules());
    EXPECT_EQ(page.ruleLines(), rules);
    EXPECT_EQ(page.textLines().back(), "r43 c100 s9 |       -1,700|");
    EXPECT_EQ(page.textsOnRow(39).at(0).text, "    17- 1");
    EXPECT_TRUE(page.textsOnRow(41).empty());
}

TEST(DailyReport, AnEighteenthLineClosesThePageWithABandAndStartsPageTwoUnderAFreshHeader) {
    ReportFile file;
    addPayments(file, 18);
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    ASSERT_EQ(file.page.pages().size(), 2u);
    const auto& first = file.page.pages()[0];
    std::vector<std::string> firstRules = headerRules();
    appendAll(firstRules, entryRules(7, 39));
    appendAll(firstRules, pageBreakBand());
    EXPECT_EQ(first.ruleLines(), firstRules);
    EXPECT_EQ(first.textLines().back(), "r39 c100 s9 |          100|"); // no total on a full page

    std::vector<std::string> second = headerTexts("  2");
    appendAll(second, {"r07 c005 s9 |    18- 1|", "r07 c013 s9 | 02-000204 消耗品費|", "r07 c095 s9 | 出金|",
                       "r07 c100 s9 |          100|", "r43 c005 s9 |　　合  計|", "r43 c100 s9 |       -1,800|"});
    appendAll(second, headerRules());
    appendAll(second, entryRules(7, 41));
    appendAll(second, totalRules());
    EXPECT_EQ(sheet(file.page.pages()[1]), second);
    EXPECT_EQ(file.page.endDocCalls(), 1);
    EXPECT_FALSE(file.page.drawnAfterEnd());
}

TEST(DailyReport, LookUpsThatMissPrintTheCodeAloneAndEmptyCodesLeaveTheirCellsEmpty) {
    ReportFile file;
    const VoucherLine lines[] = {
        {.dno = 1, .lin = 1, .kbn = 2, .act = 999, .tek = "000000", .io = 1, .amount = 100}, // no such subject
        {.dno = 1,
         .lin = 2,
         .kbn = 2,
         .act = 204,
         .srt = 7,
         .knd = 2,
         .cus = 88,
         .tek = "000099",
         .io = 1,
         .amount = 200},                                                                            // no such codes
        {.dno = 1, .lin = 3, .kbn = 2, .act = 204, .knd = 25, .cus = 1234, .io = 1, .amount = 300}, // no category row
    };
    for (const auto& line : lines)
        file.add(line);
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    const auto& page = file.page.pages().at(0);
    const auto texts = [&page](int row) {
        std::vector<std::string> found;
        for (const auto& text : page.textsOnRow(row))
            found.push_back("c" + std::to_string(text.column()) + " " + text.text);
        return found;
    };
    // An unregistered subject counts as a receipt subject: its payment prints negative.
    EXPECT_EQ(texts(7),
              (std::vector<std::string>{"c5      1- 1", "c13  02-000999", "c95  出金", "c100          -100"}));
    EXPECT_EQ(texts(8), std::vector<std::string>{});
    EXPECT_EQ(texts(9), (std::vector<std::string>{"c5      1- 2", "c13  02-000204 消耗品費", "c41 000099", "c67    007",
                                                  "c95  出金", "c100           200"}));
    EXPECT_EQ(texts(10), std::vector<std::string>{"c67  2-0088"});
    EXPECT_EQ(texts(12), std::vector<std::string>{"c67 25-1,234"});
    // The totals count cash as it moved, whatever the printed sign.
    EXPECT_EQ(texts(43), (std::vector<std::string>{"c5 　　合  計", "c100          -600"}));
}

TEST(DailyReport, TheTotalIsTheDaysCashInLessCashOutWhileRefundsPrintAgainstTheirSubject) {
    ReportFile file;
    file.add({.dno = 1, .lin = 1, .kbn = 1, .act = 101, .io = 0, .amount = 100000}); // sale
    file.add({.dno = 2, .lin = 1, .kbn = 1, .act = 101, .io = 1, .amount = 20000});  // refund paid on a sale
    file.add({.dno = 3, .lin = 1, .kbn = 2, .act = 204, .io = 0, .amount = 5000});   // refund received on supplies
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    const auto& page = file.page.pages().at(0);
    EXPECT_EQ(page.textsOnRow(7).back().text, "      100,000");
    EXPECT_EQ(page.textsOnRow(9).back().text, "      -20,000");
    EXPECT_EQ(page.textsOnRow(11).back().text, "       -5,000");
    EXPECT_EQ(page.textsOnRow(43).back().text, "       85,000");
}

TEST(DailyReport, AmountsTooWideForTheirColumnShowStars) {
    ReportFile file;
    file.add({.dno = 1, .lin = 1, .kbn = 1, .act = 101, .io = 0, .amount = 12345678901LL});
    file.dialog.setFieldText(0, "5080415");

    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, file.page));

    const auto& page = file.page.pages().at(0);
    EXPECT_EQ(page.textsOnRow(7).back().text, "*************");
    EXPECT_EQ(page.textsOnRow(43).back().text, "*************");
}

TEST(DailyReport, ADayWithoutLinesTellsSoAndSendsNothingToThePrinter) {
    ReportFile file;
    file.add({.dno = 1, .lin = 1, .io = 0, .amount = 100, .ymd = 20260414});
    file.dialog.setFieldText(0, "5080415");

    EXPECT_FALSE(reports::NIPPO_Print(file.dialog, file.page));

    EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{"印刷するデータがありません。"});
    EXPECT_EQ(file.page.pagesPrinted(), 0);
    EXPECT_EQ(file.page.endDocCalls(), 0);
}

TEST(DailyReport, SetUpOffersTheProcessingDateAndTheEraLegend) {
    ReportFile file;
    reports::NIPPO_Init(file.dialog);

    EXPECT_EQ(file.dialog.labels, (std::map<int, std::string>{
                                      {0, "年号＋年月日"}, {6, " 5 :令和 4 :平成"}, {12, "経理日報"}, {13, "A4 横"}}));
    EXPECT_EQ(file.dialog.fields, (std::map<int, std::string>{{0, "5080415"}, {6, ""}}));
}

TEST(DailyReport, TheCheckLetsThroughOnlyADateThePrintRunCanUse) {
    const struct {
        const char* text;
        const char* message; // nullptr: passes
    } cases[] = {
        {"5080415", nullptr},
        {"4310430", nullptr},
        {"50804151", "規定の桁数を超えました。"},
        {"508041a", "入力結果が数字ではありません。"},
        {" 080415", "入力結果が数字ではありません。"},
        {"", "日付の誤りです。再度、入力して下さい。"},
        {"5081315", "日付の誤りです。再度、入力して下さい。"},
        {"5080431", "日付の誤りです。再度、入力して下さい。"},
        {"80415", "日付の誤りです。再度、入力して下さい。"},   // read as era 0
        {"6080415", "日付の誤りです。再度、入力して下さい。"}, // no such era
    };
    ReportFile file;
    for (const auto& c : cases) {
        file.open.messages.shown.clear();
        file.dialog.setFieldText(0, c.text);
        std::int16_t focus = -1;
        std::int16_t err = -1;
        reports::NIPPO_Check(file.dialog, focus, err);
        if (c.message) {
            EXPECT_EQ(err, 9) << c.text;
            EXPECT_EQ(focus, 0) << c.text;
            EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{c.message}) << c.text;
        } else {
            EXPECT_EQ(err, 0) << c.text;
            EXPECT_EQ(focus, -1) << c.text;
            EXPECT_TRUE(file.open.messages.shown.empty()) << c.text;
        }
    }
    std::int16_t err = -1;
    reports::NIPPO_CheckLength("12345678", 1, err);
    EXPECT_EQ(err, 0); // only the date box has a length
}

TEST(DailyReport, APrintRunGivenADateItCannotUseAsksForNoLines) {
    ReportFile file;
    file.dialog.setFieldText(0, "5081315");

    EXPECT_FALSE(reports::NIPPO_Print(file.dialog, file.page));

    EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{"日付の誤りです。再度、入力して下さい。"});
    EXPECT_EQ(file.page.pagesPrinted(), 0);
}

} // namespace
