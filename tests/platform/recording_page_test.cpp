#include "platform/print/recording_page.h"

#include <gtest/gtest.h>

namespace {

using platform::RecordingPage;

TEST(RecordingPage, SheetsBeginOnlyWhenSomethingIsDrawnOnThem) {
    struct Case {
        const char* name;
        const char* script; // t text, l line, n new page, e end of document
        int sheets;
    };
    const Case cases[] = {
        {"nothing at all", "e", 0},
        {"one page", "tle", 1},
        {"a full last page", "tlne", 1},
        {"two pages", "tntne", 2},
        {"a page left empty in between", "tnntne", 3},
        {"a new page before anything", "ntne", 2},
    };
    for (const Case& c : cases) {
        RecordingPage page;
        for (const char* step = c.script; *step; ++step) {
            switch (*step) {
            case 't':
                page.printText(0, 0, "x");
                break;
            case 'l':
                page.drawLine(0, 0, 10, 0);
                break;
            case 'n':
                page.newPage();
                break;
            case 'e':
                page.endDoc();
                break;
            }
        }
        EXPECT_EQ(page.pagesPrinted(), c.sheets) << c.name;
        EXPECT_EQ(page.endDocCalls(), 1) << c.name;
        EXPECT_FALSE(page.drawnAfterEnd()) << c.name;
    }
}

TEST(RecordingPage, KeepsSizeFontAndPenOfEachTextAndRule) {
    RecordingPage page;
    page.setPaperSize(9);
    page.setOrientation(2);
    page.setFontName("ＭＳＰ ゴシック");
    page.setFontSize(14);
    page.printText(7200, 480, "経理日報");
    page.setPenWidth(5);
    page.drawLine(648, 1160, 15768, 1160);
    page.setPenWidth(1);
    page.drawLine(648, 1160, 648, 1400);
    page.drawLine(1800, 1160, 1800, 1400);
    page.drawLine(648, 1400, 648, 1640);
    EXPECT_EQ(page.paperSize(), 9);
    EXPECT_EQ(page.orientation(), 2);
    const auto& sheet = page.pages().at(0);
    EXPECT_EQ(sheet.texts.at(0).font, "ＭＳＰ ゴシック");
    EXPECT_EQ(sheet.texts.at(0).column(), 50);
    EXPECT_EQ(sheet.texts.at(0).row(), 2);
    EXPECT_EQ(sheet.ruleLines(),
              (std::vector<std::string>{"Line r05 c005-110 w5", "Row r05 c005w1 c013w1", "Row r06 c005w1"}));
    EXPECT_EQ(sheet.textsOnRow(2).size(), 1u);
    EXPECT_TRUE(sheet.textsOnRow(3).empty());
}

} // namespace
