#include "platform/print/recording_page.h"
#include "reports/page_machinery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::RecordingPage;
using reports::DrawRule;
using reports::PrintAt;

struct Segment {
    int x1, y1, x2, y2, width;
    bool operator==(const Segment&) const = default;
};

std::vector<Segment> segments(const RecordingPage& page) {
    std::vector<Segment> found;
    for (const auto& p : page.pages())
        for (const auto& r : p.rules)
            found.push_back({r.x1, r.y1, r.x2, r.y2, r.width});
    return found;
}

void PrintTo(const Segment& s, std::ostream* os) {
    *os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ") w" << s.width;
}

TEST(PageMachinery, PrintAtPutsTheTextsTopLeftCornerOnTheGrid) {
    RecordingPage page;
    PrintAt(page, 30, 2, 14, "コード一覧表");
    PrintAt(page, 0, 0, 9, "");
    PrintAt(page, -1, 61, 7, "下");
    ASSERT_EQ(page.pages().size(), 1u);
    const auto& texts = page.pages()[0].texts;
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, 4320);
    EXPECT_EQ(texts[0].y, 480);
    EXPECT_EQ(texts[0].size, 14);
    EXPECT_EQ(texts[0].text, "コード一覧表");
    EXPECT_EQ(texts[1].size, 9);
    // Nothing is checked: a row past the frame lands where the grid puts it.
    EXPECT_EQ(texts[2].x, -144);
    EXPECT_EQ(texts[2].y, 61 * 240);
}

TEST(PageMachinery, DrawRuleDrawsEachKindFromTheFrameAndTheColumns) {
    data::ProgramState s;
    reports::SetPageFrame(s, 78, 60, {8, 24, 30});
    struct Case {
        const char* kind;
        std::int16_t row, width;
        std::vector<Segment> expected;
    };
    const Case cases[] = {
        {"Line", 5, 5, {{648, 1160, 11160, 1160, 5}}},
        {"Line1", 7, 1, {{1080, 1640, 11160, 1640, 1}}},
        {"Line2", 7, 1, {{3384, 1640, 11160, 1640, 1}}},
        {"Row",
         6,
         1,
         {{648, 1400, 648, 1640, 5},
          {11160, 1400, 11160, 1640, 5},
          {1080, 1400, 1080, 1640, 1},
          {3384, 1400, 3384, 1640, 1},
          {4248, 1400, 4248, 1640, 1}}},
        {"row", 6, 1, {}},
        {"LINE", 6, 1, {}},
        {"", 6, 1, {}},
    };
    for (const Case& c : cases) {
        RecordingPage page;
        DrawRule(s, page, c.kind, c.row, c.width);
        EXPECT_EQ(segments(page), c.expected) << c.kind;
    }
}

TEST(PageMachinery, WithoutColumnsRowDrawsOnlyTheFrameEdgesAndLine1StartsLeftOfTheSheet) {
    data::ProgramState s;
    reports::SetPageFrame(s, 110, 43, {});
    RecordingPage page;
    DrawRule(s, page, "Row", 5, 1);
    DrawRule(s, page, "Line1", 5, 1);
    EXPECT_EQ(
        segments(page),
        (std::vector<Segment>{{648, 1160, 648, 1400, 5}, {15768, 1160, 15768, 1400, 5}, {-72, 1160, 15768, 1160, 1}}));
    // The columns end at the first that is not above 0, even with more behind it.
    s.ColPos[1] = 13;
    s.ColPos[2] = -3;
    s.ColPos[3] = 41;
    RecordingPage second;
    DrawRule(s, second, "Row", 5, 1);
    EXPECT_EQ(second.pages()[0].ruleLines(), std::vector<std::string>{"Row r05 c005w5 c110w5 c013w1"});
}

TEST(PageMachinery, SetPageFrameClearsTheColumnsOfTheRunBefore) {
    data::ProgramState s;
    reports::SetPageFrame(s, 110, 43, {13, 41, 67, 95, 100});
    reports::SetPageFrame(s, 78, 60, {8, 24});
    EXPECT_EQ(s.PageGeo, (std::array<std::int16_t, 5>{0, 5, 5, 78, 60}));
    std::array<std::int16_t, 21> columns{};
    columns[1] = 8;
    columns[2] = 24;
    EXPECT_EQ(s.ColPos, columns);
}

TEST(PageMachinery, ThePageHeaderCountsThePageAndPlacesTitleDateAndNumberByOrientation) {
    data::ProgramState s;
    s.CreationDateText = "令和 8年 4月15日";
    RecordingPage page;
    std::int16_t pageNo = 0;
    reports::PrintPageHeader(s, page, "コード一覧表", 1, pageNo);
    EXPECT_EQ(pageNo, 1);
    page.newPage();
    pageNo = 122;
    reports::PrintPageHeader(s, page, "経理日報", 2, pageNo);
    EXPECT_EQ(pageNo, 123);
    ASSERT_EQ(page.pages().size(), 2u);
    EXPECT_EQ(page.pages()[0].textLines(),
              (std::vector<std::string>{"r02 c030 s14 |コード一覧表|", "r03 c052 s9 |作成日： 令和 8年 4月15日|",
                                        "r03 c068 s9 |（  1頁）|"}));
    EXPECT_EQ(page.pages()[1].textLines(),
              (std::vector<std::string>{"r02 c050 s14 |経理日報|", "r03 c086 s9 |作成日： 令和 8年 4月15日|",
                                        "r03 c102 s9 |（123頁）|"}));
}

} // namespace
