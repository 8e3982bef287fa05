#include "platform/print/recording_page.h"

#include <algorithm>
#include <cstdio>

namespace platform {

namespace {

// Rules sit half a column left of their column and 40 twips above their row.
constexpr int RuleColumnOffset = TwipsPerColumn / 2;
constexpr int RuleRowOffset = 40;

int floorDivide(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

std::string formatted(const char* format, int a, int b = 0, int c = 0, int d = 0) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
    return buffer;
}

} // namespace

int RecordedRule::row() const { return floorDivide(std::min(y1, y2) + RuleRowOffset, TwipsPerRow); }

int RecordedRule::fromColumn() const { return floorDivide(x1 + RuleColumnOffset, TwipsPerColumn); }

int RecordedRule::toColumn() const { return floorDivide(x2 + RuleColumnOffset, TwipsPerColumn); }

std::vector<std::string> RecordedPage::textLines() const {
    std::vector<RecordedText> sorted = texts;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RecordedText& a, const RecordedText& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    std::vector<std::string> lines;
    for (const RecordedText& text : sorted)
        lines.push_back(formatted("r%02d c%03d s%d |", text.row(), text.column(), text.size) + text.text + "|");
    return lines;
}

std::vector<std::string> RecordedPage::ruleLines() const {
    std::vector<std::string> lines;
    const RecordedRule* rowStart = nullptr; // the first vertical of the row being gathered
    for (const RecordedRule& rule : rules) {
        if (rule.horizontal()) {
            rowStart = nullptr;
            lines.push_back(
                formatted("Line r%02d c%03d-%03d w%d", rule.row(), rule.fromColumn(), rule.toColumn(), rule.width));
            continue;
        }
        if (!rowStart || rowStart->y1 != rule.y1 || rowStart->y2 != rule.y2) {
            rowStart = &rule;
            lines.push_back(formatted("Row r%02d", rule.row()));
        }
        lines.back() += formatted(" c%03dw%d", rule.fromColumn(), rule.width);
    }
    return lines;
}

std::vector<RecordedText> RecordedPage::textsOnRow(int row) const {
    std::vector<RecordedText> found;
    for (const RecordedText& text : texts)
        if (text.row() == row) found.push_back(text);
    std::stable_sort(found.begin(), found.end(),
                     [](const RecordedText& a, const RecordedText& b) { return a.x < b.x; });
    return found;
}

RecordedPage& RecordingPage::current() {
    if (endDocCalls_ > 0) drawnAfterEnd_ = true;
    if (!started_) {
        started_ = true;
        pages_.emplace_back();
    }
    for (; pendingBreaks_ > 0; --pendingBreaks_)
        pages_.emplace_back();
    return pages_.back();
}

void RecordingPage::printText(int xTwips, int yTwips, const std::string& text, int roomTwips) {
    current().texts.push_back({xTwips, yTwips, fontSize_, fontName_, text, roomTwips});
}

void RecordingPage::drawLine(int x1, int y1, int x2, int y2) { current().rules.push_back({x1, y1, x2, y2, penWidth_}); }

void RecordingPage::newPage() {
    ++newPageCalls_;
    ++pendingBreaks_;
}

void RecordingPage::endDoc() {
    ++endDocCalls_;
    // A new page that nothing was drawn on is never given out.
    pendingBreaks_ = 0;
    started_ = false;
}

} // namespace platform
