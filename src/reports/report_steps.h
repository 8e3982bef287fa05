// Steps that several reports take alike, so that each is written once: the heading row, codes with
// their names, the range boxes and era periods of the dialog, and the pages of a one-row list and of
// two-row entries with their closing band, empty entries, brought-forward row and totals.
#pragma once

#include "data/control_row.h"
#include "data/program_state.h"
#include "platform/db/currency.h"
#include "platform/print/page.h"
#include "reports/report_module.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

namespace reports {

// Headings in size 9 on `row`: the first at PageGeo(1), the next ones at ColPos(1), ColPos(2), ...
void PrintHeadingRow(const data::ProgramState& s, platform::Page& page, std::int16_t row,
                     std::initializer_list<const char*> headings);

// The heading row between a heavy "Line" above it and its "Row" rules.
void PrintHeadingBand(const data::ProgramState& s, platform::Page& page, std::int16_t row,
                      std::initializer_list<const char*> headings);

// The text (F10_DTL) of a registered code, untrimmed; nothing when the code is not registered.
std::optional<std::string> CodeName(data::ProgramState& s, std::int16_t category, std::int32_t code);

// A subject category in 3 with the digits of category 1.
std::string SubjectCategoryCode(const data::ProgramState& s, std::int16_t category);

// "kk-aaaaaa name": the category, the subject code in 6 digits and, when the subject itself is
// registered, its name. F21Record then holds the subject's F21_IO and F21_CSH (0 when unregistered).
std::string SubjectText(data::ProgramState& s, std::int16_t category, std::int32_t subject);

// The detail code in `width` with the digits of category 3 and its name when registered; empty for
// a detail of 0 or below.
std::string DetailText(data::ProgramState& s, std::int32_t detail, std::int16_t width = 6);

// "c-code name" of a counterpart, the code with the digits of its category and its name when
// registered; empty for a category of 0 or below. A category outside the code-category table has no
// digit count, so its code is grouped by thousands.
std::string CounterpartText(data::ProgramState& s, std::int16_t category, std::int32_t code);

// The description code of a voucher line with its name when registered; empty when the line has
// none ("000000" or blanks).
std::string DescriptionText(data::ProgramState& s, const std::string& code);

// "#####0-#0": a voucher number and its line.
std::string VoucherText(std::int64_t voucher, std::int64_t line);

// A date as era year/month/day ("08/04/15"); empty when it does not convert.
std::string EraDateText(const data::F01Rec& control, std::int32_t ymd);

using data::FiscalMonth;

// The rule a report's check applies to the length of box `index`: err 9 when the text is too long.
using LengthRule = std::function<void(const std::string& text, std::int16_t index, std::int16_t& err)>;

// The dialog's title and paper text: "A4 縦" for portrait (1), "A4 横" for landscape (2).
void SetUpTitle(ReportDialog& dialog, const std::string& title, int orientation);

// Range row `row`: its caption, `first` in its start box, `last` in its end box and no note.
void SetUpRangeRow(ReportDialog& dialog, std::int16_t row, const std::string& caption, const std::string& first,
                   const std::string& last);

// A range box as a whole number; nothing when it is empty, holds a non-digit or too many digits.
std::optional<std::int64_t> RangeNumber(const std::string& text);

// The check of one range box: the length rule ("規定の桁数を超えました。"), then digits only and not
// empty ("入力結果が数字ではありません。"). A fault gives Err 9 with FocusIndex on the box; a pass gives
// Err 0 and leaves FocusIndex alone.
void CheckNumberBox(ReportDialog& dialog, std::int16_t box, const LengthRule& lengthRule, std::int16_t& FocusIndex,
                    std::int16_t& Err);

// The check of the start and end boxes of range row 0 (boxes 0 and 6, in this order): the length
// rule ("規定の桁数を超えました。"), then digits only and not empty ("入力結果が数字ではありません。").
// A fault gives Err 9 with FocusIndex on the box; a pass gives Err 0 and leaves FocusIndex alone.
void CheckRangeRow(ReportDialog& dialog, const LengthRule& lengthRule, std::int16_t& FocusIndex, std::int16_t& Err);

// The two bounds of range row 0 for the print run; nothing (and "入力結果が数字ではありません。"
// shown) when either box is no number.
std::optional<std::pair<std::int64_t, std::int64_t>> RangeRowBounds(ReportDialog& dialog);

// A print run refused on boxes its check would refuse: the check runs to tell the user why.
void ShowCheckFault(ReportDialog& dialog,
                    const std::function<void(ReportDialog&, std::int16_t&, std::int16_t&)>& check);

// An era period typed as `digits` characters (EYYMMDD, EYYMM, EYY), zero-filled on the left, with
// `dayPart` appended to make a day, as yyyymmdd; nothing when the text is empty, longer than
// `digits`, holds a non-digit, or names an era or date that does not exist.
std::optional<std::int32_t> EraPeriodDate(const data::F01Rec& control, const std::string& text, std::size_t digits,
                                          const std::string& dayPart);

// The set-up of a landscape report whose range row 0 is an era period: the title, "A4 横", the row's
// caption, the processing date's era code cut to `digits` characters in the start box (empty when the
// date has no era), the end box emptied, and the era legend as the row's note.
void SetUpEraPeriodRow(ReportDialog& dialog, const std::string& title, const std::string& caption, std::size_t digits);

// The check of an era period in box `box`: the length rule, digits only, then a period that makes a
// date ("日付の誤りです。再度、入力して下さい。", which an empty box also gets). A fault gives Err 9
// with FocusIndex on the box; a pass gives Err 0 and leaves FocusIndex alone.
void CheckEraPeriod(ReportDialog& dialog, std::int16_t box, std::size_t digits, const LengthRule& lengthRule,
                    const std::string& dayPart, std::int16_t& FocusIndex, std::int16_t& Err);

// Where a print run stands on its pages: the line counter below PageGeo(2) (0 until a page begins)
// and the pages begun so far.
class PageRun {
public:
    PageRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page) {}

    data::ProgramState& state() { return s_; }
    platform::Page& page() { return page_; }
    std::int16_t top() const { return s_.PageGeo[2]; }
    std::int16_t lineCounter() const { return lineCounter_; }
    std::int16_t pageNo() const { return pageNo_; }

    // The head of a page (PrintPageHeader), raising the page number.
    void printPageHeader(const std::string& title, int orientation);
    // The head of a page and the heading band on row PageGeo(2).
    void printListHeader(const std::string& title, int orientation, std::initializer_list<const char*> headings);

    // One row per entry (the portrait lists).
    // The row of the next entry; `header` runs first when a page begins.
    std::int16_t beginRow(const std::function<void()>& header);
    // The entry's rules, "Line" heavy on a page's first row and thin below it, and "Row"; then, when
    // the line counter is above `threshold`, the page closed by a heavy rule under the row.
    void endRow(std::int16_t threshold);
    // The last page closed by a heavy rule under its last row, and the end of the document.
    void finishRows();
    // The page closed by a heavy rule under its last row and left for the next; nothing while no page
    // is begun.
    void closePage();
    // One row per entry with the page closed before an entry rather than after it (the expense item
    // list, the annual summary): when the line counter is above `threshold`, a heavy rule under the
    // last row and a new page; `header` runs when a page begins. Returns the entry's row.
    std::int16_t beginRowOnOpenPage(std::int16_t threshold, const std::function<void()>& header);
    // One row more for an entry that takes a second one.
    void takeRow() { ++lineCounter_; }

    // Two rows per entry (the daily report, the cash book, the ledger).
    // The first row of the next entry: a page whose line counter is above `threshold` is first closed
    // by the band, and `header` runs when a page begins.
    std::int16_t beginEntry(std::int16_t threshold, const std::function<void()>& header);
    // The rules of the entry at `row`: "Line" heavy for a page's first entry and thin below it, "Row"
    // on both its rows.
    void ruleEntry(std::int16_t row);
    // Empty ruled entries while the line counter is not above `lastEntry`.
    void fillEntries(std::int16_t lastEntry);
    // The row of one more entry without its rules (a total row).
    std::int16_t nextEntryRow();
    // The brought-forward row on row PageGeo(2) ("前期繰越", and `amount` at ColPos(`amountColumn`)
    // when it is not empty) between heavy rules, then the headings on the row below.
    void printBroughtForward(std::size_t amountColumn, const std::string& amount,
                             std::initializer_list<const char*> headings);
    // The totals row at `row` ("合　　計", receipts and payments at ColPos of their columns) and the
    // carried-out row below it ("次期繰越", the balance), closed by a heavy rule.
    void printTotalsAndCarryOut(std::int16_t row, std::size_t receiptsColumn, db::Currency receipts,
                                db::Currency payments, db::Currency balance, const std::string& pattern);

private:
    void closeWithBand();

    data::ProgramState& s_;
    platform::Page& page_;
    std::int16_t lineCounter_ = 0;
    std::int16_t pageNo_ = 0;
};

} // namespace reports
