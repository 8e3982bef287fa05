// A page that only remembers what was put on it, so that tests can read a report as the printer
// would have received it: texts with their grid column, row and size, rules, page breaks, the end.
#pragma once

#include "platform/print/page.h"

#include <string>
#include <vector>

namespace platform {

// The page grid of the reports: a column is 144 twips, a row 240.
constexpr int TwipsPerColumn = 144;
constexpr int TwipsPerRow = 240;

struct RecordedText {
    int x = 0; // twips
    int y = 0;
    int size = 0; // points
    std::string font;
    std::string text;
    int room = AnyWidth; // twips the text was given to fit in
    int column() const { return x / TwipsPerColumn; }
    int row() const { return y / TwipsPerRow; }
};

// Rules lie half a column left of a column's texts and 40 twips above a row's texts.
struct RecordedRule {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // twips
    int width = 0;                      // printer pixels
    bool horizontal() const { return y1 == y2; }
    // The grid row the rule belongs to.
    int row() const;
    // The grid columns of its ends (for a vertical rule both are its column).
    int fromColumn() const;
    int toColumn() const;
};

struct RecordedPage {
    std::vector<RecordedText> texts;
    std::vector<RecordedRule> rules;

    // The texts by row, then column, one a line: "r07 c013 s9 |text|".
    std::vector<std::string> textLines() const;
    // The rules in drawing order, one a line. A horizontal rule: "Line r05 c005-110 w5". The vertical
    // rules of one row drawn one after another form one line: "Row r05 c005w5 c110w5 c013w1 c041w1".
    std::vector<std::string> ruleLines() const;
    // The texts found on a row, by column.
    std::vector<RecordedText> textsOnRow(int row) const;
};

class RecordingPage : public Page, public PrintJob {
public:
    void setPaperSize(int paper) override { paperSize_ = paper; }
    void setOrientation(int orientation) override { orientation_ = orientation; }
    void setFontName(const std::string& name) override { fontName_ = name; }
    void setFontSize(int points) override { fontSize_ = points; }
    void printText(int xTwips, int yTwips, const std::string& text, int roomTwips) override;
    void setPenWidth(int width) override { penWidth_ = width; }
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    void endDoc() override;

    Page& page() override { return *this; }
    int pagesPrinted() const override { return static_cast<int>(pages_.size()); }
    std::string failure() const override { return failure_; }
    std::string pdfPath() const override { return {}; }

    // The sheets as the printer would give them out.
    const std::vector<RecordedPage>& pages() const { return pages_; }
    int paperSize() const { return paperSize_; }
    int orientation() const { return orientation_; }
    const std::string& fontName() const { return fontName_; }
    int newPageCalls() const { return newPageCalls_; }
    int endDocCalls() const { return endDocCalls_; }
    // Something other than an end of document came after the last end of document.
    bool drawnAfterEnd() const { return drawnAfterEnd_; }

    // Makes the job report a failure, as a printer that stopped would.
    void failWith(const std::string& failure) { failure_ = failure; }

private:
    RecordedPage& current();

    std::vector<RecordedPage> pages_;
    bool started_ = false;
    int pendingBreaks_ = 0;
    int paperSize_ = 0;
    int orientation_ = 0;
    std::string fontName_;
    int fontSize_ = 0;
    int penWidth_ = 1;
    int newPageCalls_ = 0;
    int endDocCalls_ = 0;
    bool drawnAfterEnd_ = false;
    std::string failure_;
};

} // namespace platform
