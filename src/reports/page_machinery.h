// The page grid every report prints on: texts at a grid column and row, the rules of a row, and
// the steps of a page that every report repeats. A grid column is 144 twips, a grid row 240.
#pragma once

#include "data/program_state.h"
#include "platform/print/page.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace reports {

// Prints `text` with its top-left corner at grid column `col`, row `row`, in `size` points.
void PrintAt(platform::Page& page, std::int16_t col, std::int16_t row, std::int16_t size, const std::string& text);

// The same for a text that stays in its column: within the frame (from PageGeo(2) down, from PageGeo(1)
// to PageGeo(3)) a text wider than its column, up to the rule of the next column to its right or of
// the frame's right edge, is set narrower to fit it whole.
void PrintAt(const data::ProgramState& s, platform::Page& page, std::int16_t col, std::int16_t row, std::int16_t size,
             const std::string& text);

// The rules of grid row `row` named by `kind` (exact, case-sensitive), with pen width `width`:
// "Line" from PageGeo(1) to PageGeo(3), "Line1" from ColPos(1), "Line2" from ColPos(2) (each to
// PageGeo(3)); "Row" the frame's two edges with width 5 and a vertical at each ColPos up to the first
// that is not above 0. Any other kind draws nothing.
void DrawRule(const data::ProgramState& s, platform::Page& page, const std::string& kind, std::int16_t row,
              std::int16_t width);

// Pen widths of the rules.
constexpr std::int16_t HeavyRule = 5;
constexpr std::int16_t ThinRule = 1;

// The page frame of a run: left column 5 and top row 5, the report's right column and bottom row;
// ColPos cleared, then filled from ColPos(1) with `columns`.
void SetPageFrame(data::ProgramState& s, std::int16_t rightColumn, std::int16_t bottomRow,
                  std::initializer_list<std::int16_t> columns);

// A4 paper (size 9) in `orientation` (1 portrait, 2 landscape) and the page frame of SetPageFrame.
void StartPages(data::ProgramState& s, platform::Page& page, int orientation, std::int16_t rightColumn,
                std::int16_t bottomRow, std::initializer_list<std::int16_t> columns);

// The head of every page: raises `pageNo`, then prints the title (row 2, 14 pt), "作成日： " and
// CreationDateText (row 3, 9 pt) and "（" page number "頁）" (row 3, 9 pt) at the columns of the
// orientation: 30, 52, 68 on portrait (1), 50, 86, 102 on landscape (2).
void PrintPageHeader(const data::ProgramState& s, platform::Page& page, const std::string& title, int orientation,
                     std::int16_t& pageNo);

// The run over the rows of `query` every report makes: each row to `printRow`, which says whether it
// printed the row, then `finish` once a row was printed. When no row was, because the query found none
// or the report passed over all it found, "印刷するデータがありません。" and nothing printed. True when
// rows were printed.
bool PrintRows(data::ProgramState& s, const std::string& query, const std::vector<db::Value>& params,
               const std::function<bool(const db::QueryRecordset&)>& printRow, const std::function<void()>& finish);

} // namespace reports
