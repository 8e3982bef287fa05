// How a report plugs into the report dialog: the part of the dialog a report sees, the three
// routines each report supplies, and the table of reports by their number on the menu.
#pragma once

#include "data/program_state.h"
#include "platform/print/page.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace reports {

// Label1 indexes the set-up writes besides the captions (0..5) and notes (6..11) of the range rows.
constexpr int TitleLabel = 12;
constexpr int PaperLabel = 13;
constexpr int RangeRows = 6;
// Text1 index of the end box of range row r is r + EndBoxOffset.
constexpr int EndBoxOffset = 6;

// The report dialog frmPrint as a report sees it.
class ReportDialog {
public:
    virtual ~ReportDialog();
    virtual data::ProgramState& state() = 0;
    // The range boxes Text1(0..11): start of row r at r, end at r + 6, as they stand (untrimmed).
    virtual std::string fieldText(int index) const = 0;
    virtual void setFieldText(int index, const std::string& text) = 0;
    // Label1(0..13): captions of the range rows (0..5), their notes (6..11), the title (12) and the
    // paper text (13, "A4 縦" or "A4 横").
    virtual std::string label(int index) const = 0;
    virtual void setLabel(int index, const std::string& text) = 0;
};

struct ReportModule {
    // Writes the title, paper text, captions, defaults and notes of the rows it uses; runs once when
    // the dialog loads. Rows it leaves alone stay blank.
    std::function<void(ReportDialog&)> init;
    // Checks the range boxes; on the first fault shows its message, sets err = 9 and focusIndex to the
    // box to refocus; else err = 0. It must always set err.
    std::function<void(ReportDialog&, std::int16_t& focusIndex, std::int16_t& err)> check;
    // Prints the report, or shows "印刷するデータがありません。" and prints nothing; true when pages
    // were printed. The dialog has set the font name on the page; the report sets paper and orientation.
    std::function<bool(ReportDialog&, platform::Page&)> print;
    // The title, as in the page header (also names the PDF file of a run without a printer).
    std::string title;
    int orientation = 1; // 1 portrait, 2 landscape
};

// The reports by PrintReportNo 1 to 10. A number without a module has no report yet: its menu entry
// does nothing.
class ReportCatalog {
public:
    // Numbers outside 1 to 10 are ignored.
    void registerReport(int printReportNo, ReportModule module);
    // Nothing for a number without a module.
    const ReportModule* find(int printReportNo) const;
    bool has(int printReportNo) const { return find(printReportNo) != nullptr; }

private:
    std::array<std::optional<ReportModule>, 11> modules_;
};

} // namespace reports
