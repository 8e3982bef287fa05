#include "platform/print/recording_page.h"
#include "reports/page_machinery.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using platform::RecordingPage;
using reports::DrawRule;

// The reports' sheets read rules back on the grid, which would hide a rule drawn off its place; here
// they are read in twips.
TEST(PageMachinery, RulesLieHalfAColumnLeftOfAndFortyTwipsAboveTheirGridPointAndEachKindStartsWhereItSays) {
    data::ProgramState s;
    reports::SetPageFrame(s, 110, 43, {13, -3, 41}); // columns end at the first not above 0
    RecordingPage page;
    DrawRule(s, page, "Row", 5, 1);
    DrawRule(s, page, "Line", 5, 5);
    DrawRule(s, page, "Line1", 5, 1);
    DrawRule(s, page, "Line2", 5, 1);
    for (const char* unknown : {"row", "LINE", ""})
        DrawRule(s, page, unknown, 5, 1);
    std::vector<std::array<int, 5>> rules; // x1, y1, x2, y2, pen width
    for (const auto& r : page.pages().at(0).rules)
        rules.push_back({r.x1, r.y1, r.x2, r.y2, r.width});
    EXPECT_EQ(rules, (std::vector<std::array<int, 5>>{{648, 1160, 648, 1400, 5},
                                                      {15768, 1160, 15768, 1400, 5},
                                                      {1800, 1160, 1800, 1400, 1},
                                                      {648, 1160, 15768, 1160, 5},
                                                      {1800, 1160, 15768, 1160, 1},
                                                      {-504, 1160, 15768, 1160, 1}}));
}

TEST(PageMachinery, ATextInTheFrameHasTheRoomUpToTheNextRuleOnItsRightAndOneOutsideItAnyWidth) {
    data::ProgramState s;
    reports::SetPageFrame(s, 110, 43, {13, 41, -3, 67}); // columns end at the first not above 0
    const struct {
        std::int16_t col, row;
        int room;                                     // twips
    } cases[] = {{5, 5, 13 * 144 - 72 - 5 * 144},     // the frame's first column, on the heading row
                 {13, 7, 41 * 144 - 72 - 13 * 144},   // a column, to the next one's rule
                 {20, 7, 41 * 144 - 72 - 20 * 144},   // inside a column
                 {41, 44, 110 * 144 - 72 - 41 * 144}, // the last column, to the frame's edge, on any row below
                 {5, 4, platform::AnyWidth},          // above the frame
                 {4, 7, platform::AnyWidth},          // left of it
                 {110, 7, platform::AnyWidth}};       // right of it
    RecordingPage page;
    for (const auto& c : cases)
        reports::PrintAt(s, page, c.col, c.row, 9, "text");
    const auto& texts = page.pages().at(0).texts;
    ASSERT_EQ(texts.size(), std::size(cases));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].room, cases[i].room) << cases[i].col << " " << cases[i].row;
        EXPECT_EQ(texts[i].x, cases[i].col * 144);
        EXPECT_EQ(texts[i].y, cases[i].row * 240);
    }
}

} // namespace
