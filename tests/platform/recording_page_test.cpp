#include "platform/print/recording_page.h"

#include <gtest/gtest.h>

// Reading texts and rules back on the grid is checked by every report test, which compares sheets whole.
namespace {

using platform::RecordingPage;

TEST(RecordingPage, SheetsBeginOnlyWhenSomethingIsDrawnOnThem) {
    const std::pair<const char*, int> cases[] = {// t text, l line, n new page, e end of document
                                                 {"e", 0},     {"tle", 1},    {"tlne", 1},
                                                 {"tntne", 2}, {"tnntne", 3}, {"ntne", 2}};
    for (const auto& [script, sheets] : cases) {
        RecordingPage page;
        for (const char* step = script; *step; ++step) {
            if (*step == 't') page.printText(0, 0, "x", platform::AnyWidth);
            if (*step == 'l') page.drawLine(0, 0, 10, 0);
            if (*step == 'n') page.newPage();
            if (*step == 'e') page.endDoc();
        }
        EXPECT_EQ(page.pagesPrinted(), sheets) << script;
        EXPECT_FALSE(page.drawnAfterEnd()) << script;
    }
}

} // namespace
