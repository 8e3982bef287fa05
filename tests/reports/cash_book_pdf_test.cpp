#include "reports/cash_book.h"

#include "platform/print/print_target.h"
#include "report_run_fixture.h"
#include "support/pdf_reading.h"

#include <filesystem>

namespace {

using namespace report_run_tests;
using testing_support::nfkc;

TEST(CashBookPdf, EighteenCashLinesPrintToATwoPagePdfThatReadsBackAsTheCashBook) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    ReportFile file;
    file.s.F01Record.F01_STMM = 4;
    file.dialog.fields[0] = "50804";
    file.add({.tek = "000001", .rmk = "四月分", .amount = 150000, .ymd = 20260401});
    for (int dno = 2; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .tek = "000006", .io = 1, .amount = 1000, .ymd = 20260402});

    auto job =
        platform::openPrintJob("現金出納簿", file.open.path, false, QDateTime(QDate(2026, 4, 16), QTime(10, 0, 0)));
    job->page().setFontName("ＭＳＰ ゴシック");
    EXPECT_TRUE(reports::CASHBOOK_Print(file.dialog, job->page()));
    EXPECT_EQ(job->failure(), "");
    const std::string pdf = job->pdfPath();
    job.reset(); // closes the file
    ASSERT_TRUE(std::filesystem::exists(pdf)) << pdf;
    EXPECT_EQ(testing_support::pdfInfo(pdf, "Pages"), "2");

    const QStringList sheets = testing_support::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(sheets.size(), 2);
    for (const char* expected : {"現金出納簿", "令和 8年 4月16日", "前期繰越", "勘定科目"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected)) && sheets[1].contains(nfkc(expected))) << expected;
    for (const char* expected : {"1頁", "08/04/01", "01-000101 売上", "000001 売上代金", "150,000"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected))) << expected;
    // Page 2: the 18th line, the totals and 150,000 − 17,000 carried out.
    for (const char* expected : {"2頁", "08/04/02", "18- 1", "17,000", "次期繰越", "133,000"})
        EXPECT_TRUE(sheets[1].contains(nfkc(expected))) << expected;
    EXPECT_FALSE(sheets[0].contains(nfkc("次期繰越")));
}

} // namespace
