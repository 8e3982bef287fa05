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

} // namespace
