#include "reports/daily_report.h"
#include "reports/expense_item_list.h"

#include "report_run_fixture.h"

namespace {

using namespace report_run_tests;

TEST(LongTexts, AThirtyCharacterRemarkStaysInItsColumnOnTheDailyReportAndTheExpenseItemList) {
    const std::string remark = "四月分事務所家賃及び共益費並びに駐車場使用料の振込手数料精算";
    const struct {
        const char* title;
        bool (*print)(reports::ReportDialog&, platform::Page&);
        const char* period;
        int column, nextColumn; // the remark's, and the next column's or the frame's right edge
    } reports[] = {{"経理日報", reports::NIPPO_Print, "5080415", 41, 67},
                   {"費目別一覧", reports::PL_Print, "50804", 95, 110}};
    for (const auto& report : reports) {
        ReportFile file;
        file.dialog.fields[0] = report.period;
        file.add({.rmk = remark, .amount = 1000});
        const int edge = report.nextColumn * 144 - 72; // the rule on the column's right, in twips

        std::vector<platform::RecordedText> remarks;
        for (const auto& text : file.printed(report.print).at(0).texts)
            if (text.text == remark) remarks.push_back(text);
        ASSERT_EQ(remarks.size(), 1u) << report.title;
        EXPECT_EQ(remarks[0].column(), report.column) << report.title;
        EXPECT_EQ(remarks[0].x + remarks[0].room, edge) << report.title;

        if (!testing_support::popplerInstalled()) continue;
        std::vector<testing_support::ReadWord> words;
        for (const auto& word : testing_support::pdfWords(file.printedPdf(report.print, report.title)))
            if (word.text == testing_support::nfkc(QString::fromStdString(remark))) words.push_back(word);
        ASSERT_EQ(words.size(), 1u) << report.title;
        // The grid begins at the sheet's margin of 5 mm, to the pixel.
        EXPECT_NEAR(words[0].left, 5 / 25.4 * 72 + report.column * 7.2, 0.2) << report.title;
        EXPECT_LE(words[0].right, words[0].left + (edge - report.column * 144) / 20.0 + 0.05) << report.title;
    }
}

} // namespace
