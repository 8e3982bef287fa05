#include "platform/print/print_target.h"
#include "platform/print/printer_page.h"
#include "support/pdf_reading.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const QDateTime RunTime(QDate(2026, 4, 15), QTime(9, 30, 5));

// Three sheets of a landscape report, the last page closed by a new page as the reports do.
void printThreePages(platform::Page& page) {
    page.setPaperSize(9);
    page.setOrientation(2);
    page.setFontName("ＭＳＰ ゴシック");
    for (int n = 1; n <= 3; ++n) {
        page.setFontSize(14);
        page.printText(50 * 144, 2 * 240, "経理日報", platform::AnyWidth);
        page.setFontSize(9);
        page.printText(102 * 144, 3 * 240, "（  " + std::to_string(n) + "頁）", platform::AnyWidth);
        page.setPenWidth(5);
        page.drawLine(648, 1160, 15768, 1160);
        page.newPage();
    }
    page.endDoc();
}

TEST(PdfPage, AMachineWithoutPrinterGetsAPdfBesideTheDataFileWithOneSheetPerPage) {
    TempFolder folder;
    const std::string dataFile = folder.file("Kemlora.mdb");
    auto job = platform::openPrintJob("経理日報", dataFile, false, RunTime);
    const std::string expected = (folder.path() / "PDF" / "経理日報_20260415_093005.pdf").string();
    EXPECT_EQ(job->pdfPath(), expected);
    EXPECT_FALSE(fs::exists(folder.path() / "PDF")) << "nothing is made before the first sheet";

    printThreePages(job->page());
    EXPECT_EQ(job->pagesPrinted(), 3);
    EXPECT_EQ(job->failure(), "");
    job.reset();

    ASSERT_TRUE(fs::exists(expected));
    EXPECT_EQ(pdfInfo(expected, "Pages"), "3") << "no empty sheet after the last new page";
    const QStringList size = pdfInfo(expected, "Page size").split(' ');
    ASSERT_GE(size.size(), 4);
    EXPECT_GT(size[0].toDouble(), size[2].toDouble()) << "landscape";
    EXPECT_EQ(size.last(), "(A4)"); // the text read back is the daily report's PDF test
    EXPECT_TRUE(poppler("pdffonts", {QString::fromStdString(expected)}).contains("IPAPGothic"))
        << "the proportional Gothic stands in for ＭＳＰ ゴシック";

    // A second run in the same second keeps the first file.
    auto again = platform::openPrintJob("経理日報", dataFile, false, RunTime);
    EXPECT_EQ(again->pdfPath(), (folder.path() / "PDF" / "経理日報_20260415_093005_2.pdf").string());
}

TEST(PdfPage, ARunThatPrintsNothingLeavesNoFileAndAnUnwritableOutputIsReported) {
    TempFolder folder;
    auto job = platform::openPrintJob("コード一覧表", folder.file("Kemlora.mdb"), false, RunTime);
    job->page().endDoc();
    EXPECT_EQ(job->pagesPrinted(), 0);
    EXPECT_EQ(job->failure(), "");
    job.reset();
    EXPECT_FALSE(fs::exists(folder.path() / "PDF"));

    std::ofstream(folder.file("PDF")) << "a file where the folder should be";
    job = platform::openPrintJob("経理日報", folder.file("Kemlora.mdb"), false, RunTime);
    printThreePages(job->page()); // goes on harmlessly
    EXPECT_EQ(job->pagesPrinted(), 0);
    EXPECT_NE(job->failure().find("PDFファイルを作成できませんでした。"), std::string::npos) << job->failure();
    EXPECT_NE(job->failure().find(job->pdfPath()), std::string::npos);
}

TEST(PdfPage, FileNamesKeepTheTitleWithoutCharactersAFileNameCannotHold) {
    const std::pair<const char*, const char*> cases[] = {
        {"固定資産等及び償却明細 ", "固定資産等及び償却明細_20260415_093005.pdf"},
        {"元帳/月次:A?", "元帳_月次_A__20260415_093005.pdf"},
        {"   ", "report_20260415_093005.pdf"}};
    for (const auto& [title, name] : cases)
        EXPECT_EQ(platform::pdfPathFor(title, "/data/Kemlora.mdb", RunTime), fs::path("/data/PDF") / name) << title;
}

TEST(PdfPage, PaddedAmountsEndTogetherAndASixFigureCodeFitsItsColumn) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    auto job = platform::openPrintJob("一覧表", folder.file("Kemlora.mdb"), false, RunTime);
    platform::Page& page = job->page();
    page.setFontName("ＭＳＰ ゴシック");
    page.setFontSize(9);
    // Amounts as the reports pad them, one under the other; a code in a column of four and a half grid columns.
    page.printText(20 * 144, 6 * 240, "      1,000", platform::AnyWidth);
    page.printText(20 * 144, 7 * 240, "  1,234,567", platform::AnyWidth);
    page.printText(5 * 144, 9 * 240, "000101", platform::AnyWidth);
    page.newPage();
    page.endDoc();
    const std::string path = job->pdfPath();
    job.reset();

    std::map<QString, ReadWord> boxes;
    for (const auto& word : pdfWords(path))
        boxes.emplace(word.text, word);
    ASSERT_TRUE(boxes.count("1,000") && boxes.count("1,234,567") && boxes.count("000101")) << path;
    EXPECT_NEAR(boxes.at("1,000").right, boxes.at("1,234,567").right, 0.5);
    EXPECT_LT(boxes.at("000101").right - boxes.at("000101").left, 4.5 * 7.2) << "the code runs into the rule after it";
}

TEST(PdfPage, TextsKeepTheirSizeAndPlaceAndOnesTheGothicCannotShowStillPrint) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    const std::string pdf = folder.file("sizes.pdf");
    auto page = platform::PrinterPage::toPdf(pdf, "sizes");
    page->setOrientation(2);
    page->setFontName("ＭＳＰ ゴシック");
    // The same amount at 9, 14 and again 9 points: a layout kept for one size must not serve another.
    const int sizes[] = {9, 14, 9};
    for (int row = 0; row < 3; ++row) {
        page->setFontSize(sizes[row]);
        page->printText(20 * 144, (4 + 3 * row) * 240, "  1,234", platform::AnyWidth);
    }
    page->setFontSize(9);
    page->printText(20 * 144, 16 * 240, "한글と金額", platform::AnyWidth);
    page->drawLine(648, 1160, 15768, 1160);
    page->endDoc();
    EXPECT_EQ(page->failure(), "");
    page.reset();

    EXPECT_EQ(pdfInfo(pdf, "Pages"), "1");
    std::vector<ReadWord> amounts;
    bool restRead = false;
    for (const auto& word : pdfWords(pdf)) {
        if (word.text == "1,234") amounts.push_back(word);
        restRead = restRead || word.text.endsWith("と金額");
    }
    EXPECT_TRUE(restRead) << "the characters the Gothic has read back beside the ones it lacks";
    ASSERT_EQ(amounts.size(), 3u);
    const double small = amounts[0].right - amounts[0].left, large = amounts[1].right - amounts[1].left;
    EXPECT_NEAR(large / small, 14.0 / 9.0, 0.03);
    EXPECT_NEAR(amounts[2].right - amounts[2].left, small, 0.01);
    // Leading blanks move the text right by their own size's width, and the rows stay where they were put.
    EXPECT_GT(amounts[1].left, amounts[0].left);
    EXPECT_NEAR(amounts[2].left, amounts[0].left, 0.01);
    EXPECT_NEAR(amounts[2].top - amounts[0].top, 6 * 240 / 20.0, 0.01);
}

// The words poppler reads on one row of texts, joined, with the left of the first and the right of the last.
ReadWord rowOf(const std::vector<ReadWord>& words, double top) {
    ReadWord row{{}, 1e9, top, -1e9, top};
    for (const auto& word : words) {
        if (std::abs(word.top - top) > 2) continue;
        row.text += word.text;
        row.left = std::min(row.left, word.left);
        row.right = std::max(row.right, word.right);
    }
    return row;
}

TEST(PdfPage, ATextWiderThanItsRoomIsSetNarrowerToEndWithinItWhileOneThatFitsKeepsItsWidth) {
    if (!popplerInstalled()) GTEST_SKIP() << "poppler's tools are not installed";
    TempFolder folder;
    const std::string onFile = folder.file("file.pdf"), onPrinter = folder.file("printer.pdf");
    // The PDF this program writes itself, and the pages a printer gets, here through Qt's own PDF output.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(onPrinter));
    const std::pair<std::string, std::unique_ptr<platform::PrinterPage>> paths[] = {
        {onFile, platform::PrinterPage::toPdf(onFile, "fit")},
        {onPrinter, platform::PrinterPage::toPrinter(std::move(printer))}};
    // Thirty characters, then one no IPA face holds and figures, in a room of fifteen grid columns.
    const std::string remark = "四月分事務所家賃及び共益費並びに駐車場使用料の振込手数料₪2,000";
    const int room = 15 * 144 - 72;
    for (const auto& [pdf, page] : paths) {
        page->setOrientation(2);
        page->setFontName("ＭＳＰ ゴシック");
        page->setFontSize(9);
        page->printText(20 * 144, 4 * 240, remark, platform::AnyWidth);
        page->printText(20 * 144, 6 * 240, remark, room);
        page->printText(20 * 144, 8 * 240, "四月分 12,000", platform::AnyWidth);
        page->printText(20 * 144, 10 * 240, "四月分 12,000", room);
        page->endDoc();
        EXPECT_EQ(page->failure(), "") << pdf;
    }
    for (const auto& [pdf, page] : paths) {
        const std::vector<ReadWord> words = pdfWords(pdf);
        const ReadWord wide = rowOf(words, words.empty() ? 0 : words.front().top);
        const ReadWord fitted = rowOf(words, wide.top + 2 * 12), fits = rowOf(words, wide.top + 4 * 12),
                       fitsRoom = rowOf(words, wide.top + 6 * 12);
        EXPECT_EQ(wide.text, nfkc(QString::fromStdString(remark))) << pdf;
        EXPECT_GT(wide.right - wide.left, room / 20.0) << pdf;
        EXPECT_EQ(fitted.text, wide.text) << pdf;
        EXPECT_NEAR(fitted.left, wide.left, 0.05) << pdf;
        EXPECT_LE(fitted.right, fitted.left + room / 20.0 + 0.05) << pdf;
        EXPECT_GT(fitted.right, fitted.left + room / 20.0 - 1) << pdf << ": the text fills its room";
        EXPECT_EQ(fitsRoom.text, fits.text) << pdf;
        EXPECT_NEAR(fitsRoom.right - fitsRoom.left, fits.right - fits.left, 0.01) << pdf;
    }
}

} // namespace
