#include "reports/ledger.h"

#include "platform/print/print_target.h"
#include "report_run_fixture.h"
#include "support/pdf_reading.h"

#include <filesystem>

namespace {

using namespace report_run_tests;
using testing_support::nfkc;

TEST(LedgerPdf, TwoSubjectsPrintToAPdfOfTheirOwnPagesThatReadsBackAsTheLedger) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    ReportFile file;
    reports::MOTOCHO_Init(file.dialog);
    file.dialog.fields[0] = "50804";
    for (int dno = 1; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .tek = "000006", .io = 1, .amount = 1000});
    file.add({.dno = 20, .knd = 2, .cus = 1, .rmk = "四月分", .amount = 150000});

    auto job = platform::openPrintJob("元帳の作成", file.open.path, false, QDateTime(QDate(2026, 4, 16), QTime(10, 0)));
    job->page().setFontName("ＭＳＰ ゴシック");
    EXPECT_TRUE(reports::MOTOCHO_Print(file.dialog, job->page()));
    EXPECT_EQ(job->failure(), "");
    const std::string pdf = job->pdfPath();
    job.reset(); // closes the file
    ASSERT_TRUE(std::filesystem::exists(pdf)) << pdf;
    EXPECT_EQ(testing_support::pdfInfo(pdf, "Pages"), "3");

    const QStringList sheets = testing_support::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(sheets.size(), 3);
    for (const char* expected :
         {"01-000101", "売上", "1頁", "前期繰越", "08/04/15", "2-0001 一般顧客", "四月分", "150,000", "合", "次期繰越"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected))) << expected;
    for (const char* expected : {"02-000204", "消耗品費", "1頁", "000006 事務用品", "17,000"})
        EXPECT_TRUE(sheets[1].contains(nfkc(expected))) << expected;
    EXPECT_FALSE(sheets[1].contains("次期繰越"));
    for (const char* expected : {"02-000204", "2頁", "18- 1", "18,000", "次期繰越"})
        EXPECT_TRUE(sheets[2].contains(nfkc(expected))) << expected;
}

} // namespace
