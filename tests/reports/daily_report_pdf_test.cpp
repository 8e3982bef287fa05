#include "reports/daily_report.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;
using testing_support::nfkc;

TEST(DailyReportPdf, EighteenLinesPrintToATwoPagePdfThatReadsBackAsTheReport) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    ReportFile file;
    file.add({.knd = 2, .cus = 1, .tek = "000001", .rmk = "四月分", .amount = 150000});
    for (int dno = 2; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .tek = "000006", .io = 1, .amount = 1000});

    const QStringList sheets = file.pdfSheets(reports::NIPPO_Print, "経理日報", 2);
    ASSERT_EQ(sheets.size(), 2);
    for (const char* expected : {"経理日報", "作成日", "令和 8年 4月16日", "令和 8年 4月15日", "勘定科目"}) {
        EXPECT_TRUE(sheets[0].contains(nfkc(expected))) << expected;
        EXPECT_TRUE(sheets[1].contains(nfkc(expected))) << expected;
    }
    for (const char* expected : {"1頁", "01-000101 売上", "000001 売上代金", "四月分", "2-0001 一般顧客", "150,000",
                                 "000006 事務用品", "消耗品費"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected))) << expected;
    // Page 2: the 18th line and the day's total, 150,000 in less 17,000 out.
    for (const char* expected : {"2頁", "18- 1", "133,000"})
        EXPECT_TRUE(sheets[1].contains(nfkc(expected))) << expected;
    EXPECT_FALSE(sheets[0].contains("133,000"));
}

} // namespace
