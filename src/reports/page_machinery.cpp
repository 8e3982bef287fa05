#include "reports/page_machinery.h"

#include "common/formats.h"
#include "reports/report_texts.h"

#include <algorithm>

namespace reports {

namespace {

constexpr int ColumnTwips = 144;
constexpr int RowTwips = 240;
// A rule lies half a column left of its column's texts and this far above its row's texts.
constexpr int RuleColumnOffset = 72;
constexpr int RuleRowOffset = 40;
constexpr int Portrait = 1;

int ruleX(int column) { return column * ColumnTwips - RuleColumnOffset; }
int ruleY(int row) { return row * RowTwips - RuleRowOffset; }

// The width in twips from a text at `col` on `row` to the next rule on its right; none outside the frame.
int columnRoom(const data::ProgramState& s, std::int16_t col, std::int16_t row) {
    const auto& geo = s.PageGeo;
    if (row < geo[2] || col < geo[1] || col >= geo[3]) return platform::AnyWidth;
    int edge = geo[3];
    for (std::size_t i = 1; i < s.ColPos.size() && s.ColPos[i] > 0; ++i)
        if (s.ColPos[i] > col) edge = std::min<int>(edge, s.ColPos[i]);
    return ruleX(edge) - col * ColumnTwips;
}

} // namespace

void PrintAt(platform::Page& page, std::int16_t col, std::int16_t row, std::int16_t size, const std::string& text) {
    page.setFontSize(size);
    page.printText(col * ColumnTwips, row * RowTwips, text, platform::AnyWidth);
}

void PrintAt(const data::ProgramState& s, platform::Page& page, std::int16_t col, std::int16_t row, std::int16_t size,
             const std::string& text) {
    page.setFontSize(size);
    page.printText(col * ColumnTwips, row * RowTwips, text, columnRoom(s, col, row));
}

void DrawRule(const data::ProgramState& s, platform::Page& page, const std::string& kind, std::int16_t row,
              std::int16_t width) {
    const auto& geo = s.PageGeo;
    if (kind == "Line" || kind == "Line1" || kind == "Line2") {
        const int from = kind == "Line" ? geo[1] : kind == "Line1" ? s.ColPos[1] : s.ColPos[2];
        page.setPenWidth(width);
        page.drawLine(ruleX(from), ruleY(row), ruleX(geo[3]), ruleY(row));
        return;
    }
    if (kind != "Row") return;
    const int top = ruleY(row);
    const int bottom = ruleY(row + 1);
    page.setPenWidth(HeavyRule);
    page.drawLine(ruleX(geo[1]), top, ruleX(geo[1]), bottom);
    page.drawLine(ruleX(geo[3]), top, ruleX(geo[3]), bottom);
    page.setPenWidth(width);
    for (std::size_t i = 1; i < s.ColPos.size() && s.ColPos[i] > 0; ++i)
        page.drawLine(ruleX(s.ColPos[i]), top, ruleX(s.ColPos[i]), bottom);
}

void SetPageFrame(data::ProgramState& s, std::int16_t rightColumn, std::int16_t bottomRow,
                  std::initializer_list<std::int16_t> columns) {
    s.PageGeo = {0, 5, 5, rightColumn, bottomRow};
    s.ColPos.fill(0);
    std::size_t i = 1;
    for (const std::int16_t column : columns) {
        if (i >= s.ColPos.size()) break;
        s.ColPos[i++] = column;
    }
}

void StartPages(data::ProgramState& s, platform::Page& page, int orientation, std::int16_t rightColumn,
                std::int16_t bottomRow, std::initializer_list<std::int16_t> columns) {
    page.setPaperSize(9);
    page.setOrientation(orientation);
    SetPageFrame(s, rightColumn, bottomRow, columns);
}

void PrintPageHeader(const data::ProgramState& s, platform::Page& page, const std::string& title, int orientation,
                     std::int16_t& pageNo) {
    const bool portrait = orientation == Portrait;
    ++pageNo;
    PrintAt(page, portrait ? 30 : 50, 2, 14, title);
    PrintAt(page, portrait ? 52 : 86, 3, 9, "作成日： " + s.CreationDateText);
    PrintAt(page, portrait ? 68 : 102, 3, 9, "（" + common::FormatFix(pageNo, "##0") + "頁）");
}

bool PrintRows(data::ProgramState& s, const std::string& query, const std::vector<db::Value>& params,
               const std::function<bool(const db::QueryRecordset&)>& printRow, const std::function<void()>& finish) {
    auto rows = s.MainDatabase->openSnapshot(query, params);
    bool printed = false;
    for (; !rows->eof(); rows->moveNext())
        printed = printRow(*rows) || printed;
    if (printed)
        finish();
    else
        s.message(NoDataMessage);
    rows->close();
    return printed;
}

} // namespace reports
