#include "platform/print/recording_page.h"

#include <gtest/gtest.h>

namespace {

using platform::RecordingPage;

TEST(RecordingPage, SheetsBeginOnlyWhenSomethingIsDrawnOnThem) {
    const std::pair<const char*, int> cases[] = {// t text, l line, n new page, e end of document
                                                 {"e", 0},     {"tle", 1},    {"tlne", 1},
                                                 {"tntne", 2}, {"tnntne", 3}, {"ntne", 2}};
    for (const auto& [script, sheets] : cases) {
        RecordingPage page;
        for (const char* step = script; *step; ++step) {
            if (*step == 't') page.printText(0, 0, "x");
            if (*step == 'l') page.drawLine(0, 0, 10, 0);
            if (*step == 'n') page.newPage();
            if (*step == 'e') page.endDoc();
        }
        EXPECT_EQ(page.pagesPrinted(), sheets) << script;
        EXPECT_FALSE(page.drawnAfterEnd()) << script;
    }
}

TEST(RecordingPage, ReadsTextsAndRulesBackOnTheGrid) {
    RecordingPage page;
    page.setFontName("ＭＳＰ ゴシック");
    page.setFontSize(14);
    page.printText(7200, 480, "経理日報");
    page.setPenWidth(5);
    page.drawLine(648, 1160, 15768, 1160);
    page.setPenWidth(1);
    page.drawLine(648, 1160, 648, 1400);
    page.drawLine(1800, 1160, 1800, 1400);
    page.drawLine(648, 1400, 648, 1640);
    const auto& sheet = page.pages().at(0);
    EXPECT_EQ(sheet.textLines(), std::vector<std::string>{"r02 c050 s14 |経理日報|"});
    EXPECT_EQ(sheet.texts.at(0).font, "ＭＳＰ ゴシック");
    EXPECT_EQ(sheet.ruleLines(),
              (std::vector<std::string>{"Line r05 c005-110 w5", "Row r05 c005w1 c013w1", "Row r06 c005w1"}));
}

} // namespace
