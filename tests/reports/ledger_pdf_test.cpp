#include "reports/ledger.h"

#include "report_run_fixture.h"

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

    const QStringList sheets = file.pdfSheets(reports::MOTOCHO_Print, "元帳の作成", 3);
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
