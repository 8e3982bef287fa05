#include "reports/cash_book.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;
using testing_support::nfkc;

TEST(CashBookPdf, EighteenCashLinesPrintToATwoPagePdfThatReadsBackAsTheCashBook) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    ReportFile file;
    file.s.F01Record.F01_STMM = 4;
    file.dialog.fields[0] = "50804";
    file.add({.tek = "000001", .amount = 150000, .ymd = 20260401});
    for (int dno = 2; dno <= 18; ++dno)
        file.add({.dno = dno, .kbn = 2, .act = 204, .io = 1, .amount = 1000, .ymd = 20260402});

    const QStringList sheets = file.pdfSheets(reports::CASHBOOK_Print, "現金出納簿", 2);
    ASSERT_EQ(sheets.size(), 2);
    for (const char* expected : {"現金出納簿", "令和 8年 4月16日", "前期繰越", "勘定科目"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected)) && sheets[1].contains(nfkc(expected))) << expected;
    for (const char* expected : {"1頁", "08/04/01", "000001 売上代金", "150,000"})
        EXPECT_TRUE(sheets[0].contains(nfkc(expected))) << expected;
    // Page 2: the 18th line, the totals and 150,000 − 17,000 carried out.
    for (const char* expected : {"2頁", "08/04/02", "18- 1", "17,000", "次期繰越", "133,000"})
        EXPECT_TRUE(sheets[1].contains(nfkc(expected))) << expected;
    EXPECT_FALSE(sheets[0].contains(nfkc("次期繰越")));
}

} // namespace
