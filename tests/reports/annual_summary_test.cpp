#include "reports/annual_summary.h"

#include "report_run_fixture.h"

#include <map>

namespace {

using namespace report_run_tests;

const Frame frame{"c005-113",
                  "c005w5 c113w5 c015w1 c025w1 c035w1 c041w1 c047w1 c053w1 c059w1 c065w1 c071w1 c077w1 c083w1 "
                  "c089w1 c095w1 c101w1 c107w1"};
const Frame inner{"c015-113", frame.columns}; // a "Line1" rule leaves the subject column open

std::string monthColumn(int m) {
    const int column = 29 + 6 * m;
    return (column < 100 ? " c0" : " c") + std::to_string(column);
}

std::vector<std::string> header(const std::string& pageNo) {
    auto texts = joined({pageHead("年間集計表", pageNo, 2),
                         {"r05 c005 s9 |　　勘定科目|", "r05 c015 s9 |　　詳  細|", "r05 c025 s9 |　　相手先|"}});
    for (int m = 1; m <= 12; ++m)
        texts.push_back("r05" + monthColumn(m) + " s9 |" + std::string(m < 10 ? "   " : "  ") + std::to_string(m) +
                        " 月|");
    texts.push_back("r05 c107 s9 |年間合計|");
    return texts;
}

std::string cell(const std::string& amount) { return std::string(10 - amount.size(), ' ') + amount; }

// A printed row: its names, then the twelve months (0 where not given) and the year total.
std::vector<std::string> row(int r, std::vector<std::string> names, const std::map<int, std::string>& months,
                             const std::string& total) {
    for (int m = 1; m <= 12; ++m)
        names.push_back(Frame::rowName(r) + monthColumn(m) + " s7 |" + cell(months.contains(m) ? months.at(m) : "0") +
                        "|");
    names.push_back(Frame::rowName(r) + " c107 s7 |" + cell(total) + "|");
    return names;
}

struct SummaryFile : ReportFile {
    SummaryFile() {
        s.F01Record.F01_STMM = 4; // the summary keeps to the calendar year all the same
        reports::GOUKEI_Init(dialog);
        EXPECT_EQ(dialog.fields[0], "508");
    }
    const std::vector<platform::RecordedPage>& printed() { return ReportFile::printed(reports::GOUKEI_Print); }
};

TEST(AnnualSummary, EachDetailAndCounterpartGetsARowOfMonthSumsInItsOwnDirectionAndEachSubjectATotalRow) {
    SummaryFile file;
    // A detail of 水道光熱費 registered as a receipt: its receipts count up, its payments down.
    file.addSubject(2, 207, 1, "電気代", 0);
    file.add({.kbn = 2, .act = 207, .srt = 1, .io = 0, .amount = 1000, .ymd = 20260105});
    file.add({.dno = 2, .kbn = 2, .act = 207, .srt = 1, .io = 1, .amount = 300, .ymd = 20260210});
    file.add({.dno = 3, .kbn = 2, .act = 207, .srt = 2, .knd = 2, .cus = 1, .io = 1, .amount = 500, .ymd = 20260315});
    file.add({.dno = 4, .kbn = 2, .act = 207, .srt = 2, .knd = 2, .cus = 2, .io = 1, .amount = 700, .ymd = 20261231});
    file.add({.dno = 5, .amount = 150000, .ymd = 20260401});
    file.add({.dno = 6, .amount = 9, .ymd = 20251231});
    file.add({.dno = 7, .amount = 9, .ymd = 20270101});

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(
        sheet(pages[0]),
        joined({header("  1"),
                row(6, {"r06 c005 s7 |売上|"}, {{4, "150,000"}}, "150,000"),
                row(7, {"r07 c025 s7 |　（合計）|"}, {{4, "150,000"}}, "150,000"),
                row(8, {"r08 c005 s7 |水道光熱費|", "r08 c015 s7 |電気|"}, {{1, "1,000"}, {2, "-300"}}, "700"),
                row(9, {"r09 c015 s7 |ガス|", "r09 c025 s7 |一般顧客|"}, {{3, "500"}}, "500"),
                row(10, {"r10 c015 s7 |ガス|", "r10 c025 s7 |仕入先|"}, {{12, "700"}}, "700"),
                row(11, {"r11 c025 s7 |　（合計）|"}, {{1, "1,000"}, {2, "-300"}, {3, "500"}, {12, "700"}}, "1,900"),
                {frame.line(5, 5), frame.rules(5), frame.line(6, 5), frame.rules(6), inner.line(7, 1), frame.rules(7),
                 frame.line(8, 5), frame.rules(8), inner.line(9, 1), frame.rules(9), inner.line(10, 1), frame.rules(10),
                 inner.line(11, 1), frame.rules(11), frame.line(12, 5)}}));
}

TEST(AnnualSummary, ATotalRowThatFallsOnANewPageOpensItWithTheSubjectsName) {
    SummaryFile file;
    for (int code = 1; code <= 37; ++code) // 37 counterparts fill page 1
        file.add({.dno = code, .kbn = 2, .act = 204, .knd = 2, .cus = code, .io = 1, .amount = 10, .ymd = 20260601});

    const auto& pages = file.printed();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].ruleLines().back(), frame.line(43, 5));
    EXPECT_EQ(pages[0].textsOnRow(42).at(0).column(), 35); // no name below the subject's first row
    EXPECT_EQ(sheet(pages[1]),
              joined({header("  2"),
                      row(6, {"r06 c005 s7 |消耗品費|", "r06 c025 s7 |　（合計）|"}, {{6, "370"}}, "370"),
                      {frame.line(5, 5), frame.rules(5), frame.line(6, 5), frame.rules(6), frame.line(7, 5)}}));
}

TEST(AnnualSummary, TheCheckRefusesAYearItCannotPrintAndAYearWithoutLinesPrintsNothing) {
    SummaryFile file;
    const auto check = [&file](const char* year) { return file.checked(reports::GOUKEI_Check, {{0, year}}); };
    EXPECT_EQ(check("508"), "0 -1");
    EXPECT_EQ(check("5080"), "9 0 規定の桁数を超えました。");
    EXPECT_EQ(check("608"), "9 0 日付の誤りです。再度、入力して下さい。");
    file.printsNothing(reports::GOUKEI_Print, "日付の誤りです。再度、入力して下さい。");
    file.dialog.fields[0] = "507";
    file.printsNothing(reports::GOUKEI_Print, "印刷するデータがありません。");
}

} // namespace
