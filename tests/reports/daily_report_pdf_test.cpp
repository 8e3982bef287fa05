#include "reports/daily_report.h"

#include "platform/print/print_target.h"
#include "report_run_fixture.h"
#include "support/pdf_reading.h"

#include <filesystem>

namespace {

using namespace report_run_tests;
using testing_support::nfkc;

TEST(DailyReportPdf, EighteenLinesPrintToATwoPagePdfThatReadsBackAsTheReport) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    ReportFile file;
    file.add({.knd = 2, .cus = 1, .tek = "000001", .rmk = "四月分", .amount = 150000});
    for (int dno = 2; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .tek = "000006", .io = 1, .amount = 1000});

    auto job =
        platform::openPrintJob("経理日報", file.open.path, false, QDateTime(QDate(2026, 4, 16), QTime(10, 0, 0)));
    job->page().setFontName("ＭＳＰ ゴシック");
    EXPECT_TRUE(reports::NIPPO_Print(file.dialog, job->page()));
    EXPECT_EQ(job->failure(), "");
    EXPECT_EQ(job->pagesPrinted(), 2);
    const std::string pdf = job->pdfPath();
    job.reset(); // closes the file
    ASSERT_TRUE(std::filesystem::exists(pdf)) << pdf;
    EXPECT_EQ(testing_support::pdfInfo(pdf, "Pages"), "2");

    const QStringList sheets = testing_support::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(sheets.size(), 2);
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
