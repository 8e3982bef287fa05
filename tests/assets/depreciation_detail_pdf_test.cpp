#include "assets/depreciation_detail_report.h"

#include "asset_report_fixture.h"
#include "platform/print/print_target.h"
#include "support/pdf_reading.h"

namespace {

using namespace asset_report_tests;
using testing_support::nfkc;

TEST(DepreciationDetailPdf, ARowOfTheYearPrintsToAPdfThatReadsBackAsTheList) {
    if (!testing_support::popplerInstalled()) GTEST_SKIP() << "pdftotext or pdfinfo is not installed";
    AssetFile file;
    file.add(Asset{});
    file.add(Row{});
    file.dialog.setFieldText(0, "506");
    auto job =
        platform::openPrintJob("固定資産等及び償却明細", file.open.path, false, QDateTime(QDate(2026, 4, 16), {}));
    job->page().setFontName("ＭＳＰ ゴシック");
    EXPECT_TRUE(assets::ASSETLIST_Print(file.dialog, job->page()));
    const std::string pdf = job->pdfPath();
    job.reset(); // closes the file
    ASSERT_EQ(testing_support::pdfInfo(pdf, "Pages"), "1") << pdf;

    const QString sheet = testing_support::pdfText(pdf);
    for (const char* expected : {"固定資産等及び償却明細", "令和 8年 4月16日", "1頁", "器具備品", "パソコン",
                                 "令和 6年 4月 1日", "300,000", "0.5000", "172,500", "有形", "定率"})
        EXPECT_TRUE(sheet.contains(nfkc(expected))) << expected;
}

} // namespace
