#include "assets/depreciation_detail_report.h"

#include "asset_report_fixture.h"
#include "platform/print/print_target.h"
#include "support/pdf_reading.h"

#include <filesystem>

namespace {

using namespace asset_report_tests;
using testing_support::nfkc;

TEST(DepreciationDetailPdf, TwentyRowsPrintToATwoPagePdfThatReadsBackAsTheList) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    AssetFile file;
    for (int seq = 1; seq <= 20; ++seq) {
        file.add(Asset{.seq = seq});
        file.add(Row{.seq = seq, .accumulated = 100000 + seq});
    }
    file.dialog.setFieldText(0, "506");
    auto job =
        platform::openPrintJob("固定資産等及び償却明細", file.open.path, false, QDateTime(QDate(2026, 4, 16), {}));
    job->page().setFontName("ＭＳＰ ゴシック");
    EXPECT_TRUE(assets::ASSETLIST_Print(file.dialog, job->page()));
    const std::string pdf = job->pdfPath();
    job.reset(); // closes the file
    ASSERT_EQ(testing_support::pdfInfo(pdf, "Pages"), "2") << pdf;

    const QStringList sheets = testing_support::pdfText(pdf).split('\f', Qt::SkipEmptyParts);
    for (const char* expected : {"固定資産等及び償却明細", "令和 8年 4月16日", "1頁", "器具備品", "パソコン",
                                 "令和 6年 4月 1日", "300,000", "0.5000", "184,999", "有形", "定率"})
        EXPECT_TRUE(sheets.value(0).contains(nfkc(expected))) << expected;
    // The twentieth row alone on page 2: 285,000 less 100,020.
    for (const char* expected : {"固定資産等及び償却明細", "2頁", "184,980"})
        EXPECT_TRUE(sheets.value(1).contains(nfkc(expected))) << expected;
    EXPECT_FALSE(sheets.value(0).contains("184,980"));
}

} // namespace
