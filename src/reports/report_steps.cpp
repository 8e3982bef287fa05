#include "reports/report_steps.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/code_categories.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"
#include "reports/page_machinery.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr std::int16_t HeadingSize = 9;
constexpr std::int16_t SubjectCategory = 1;
constexpr std::int16_t DetailCategory = 3;
constexpr std::size_t DescriptionLength = 6;
// A longer number would not fit the whole numbers the queries compare with.
constexpr std::size_t RangeDigits = 18;

constexpr std::int16_t EntryRows = 2;

bool digitsOnly(const std::string& text) {
    std::int16_t err = 0;
    common::CheckDigits(text, err);
    return err == 0;
}

// Err 9 with the message shown and FocusIndex on `box`.
void refuseBox(ReportDialog& dialog, std::int16_t box, const char* message, std::int16_t& FocusIndex,
               std::int16_t& Err) {
    dialog.state().message(message);
    FocusIndex = box;
    Err = 9;
}

std::string withName(std::string code, const std::optional<std::string>& name) {
    if (name) code += " " + *name;
    return code;
}

} // namespace

void PrintHeadingRow(const data::ProgramState& s, platform::Page& page, std::int16_t row,
                     std::initializer_list<const char*> headings) {
    std::size_t column = 0;
    for (const char* heading : headings) {
        PrintAt(page, column == 0 ? s.PageGeo[1] : s.ColPos[column], row, HeadingSize, heading);
        if (++column >= s.ColPos.size()) break;
    }
}

void PrintHeadingBand(const data::ProgramState& s, platform::Page& page, std::int16_t row,
                      std::initializer_list<const char*> headings) {
    DrawRule(s, page, "Line", row, HeavyRule);
    PrintHeadingRow(s, page, row, headings);
    DrawRule(s, page, "Row", row, ThinRule);
}

std::optional<std::string> CodeName(data::ProgramState& s, std::int16_t category, std::int32_t code) {
    s.F10Record.F10_KBN = category;
    s.F10Record.F10_COD = code;
    std::int16_t status = 9;
    data::F10Access(s, "GET", status);
    if (status != 0) return std::nullopt;
    return s.F10Record.F10_DTL.str();
}

std::string SubjectCategoryCode(const data::ProgramState& s, std::int16_t category) {
    return common::FormatCode(category, 3, static_cast<std::int16_t>(data::CodeDigits(s, SubjectCategory)));
}

std::string SubjectText(data::ProgramState& s, std::int16_t category, std::int32_t subject) {
    std::string text = SubjectCategoryCode(s, category) + "-" + common::FormatCode(subject, 6, 6);
    s.F21Record.F21_KBN = category;
    s.F21Record.F21_ACT = subject;
    s.F21Record.F21_SRT = 0;
    std::int16_t status = 9;
    data::F21Access(s, "LOOK", status);
    if (status == 0) text += " " + s.F21Record.F21_NAM.str();
    return text;
}

std::string DetailText(data::ProgramState& s, std::int32_t detail, std::int16_t width) {
    if (detail <= 0) return {};
    const auto digits = static_cast<std::int16_t>(data::CodeDigits(s, DetailCategory));
    return withName(common::FormatCode(detail, width, digits), CodeName(s, DetailCategory, detail));
}

std::string CounterpartText(data::ProgramState& s, std::int16_t category, std::int32_t code) {
    if (category <= 0) return {};
    // A category without a row in CodeKbnTable (any above 20) has no digit count; its codes are then
    // grouped by thousands, and still named from the code table, where they can be registered.
    const auto digits = static_cast<std::int16_t>(data::CodeDigits(s, category));
    std::string text = common::FormatFix(category, "#0") + "-" + common::FormatCode(code, digits, digits);
    return withName(std::move(text), CodeName(s, category, code));
}

std::string DescriptionText(data::ProgramState& s, const std::string& code) {
    const std::string fitted = data::fitText(code, DescriptionLength);
    if (fitted == "000000" || fitted == "      ") return {};
    s.F18Record.F18_COD = fitted;
    std::int16_t status = 9;
    data::F18Access(s, "GET", status);
    return status == 0 ? fitted + " " + s.F18Record.F18_DSC.str() : fitted;
}

std::string VoucherText(std::int64_t voucher, std::int64_t line) {
    return common::FormatFix(voucher, "#####0") + "-" + common::FormatFix(line, "#0");
}

std::string EraDateText(const data::F01Rec& control, std::int32_t ymd) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, ymd, text, code, err);
    if (err != 0 || !common::EraCodeFits(code)) return {};
    return code.substr(1, 2) + "/" + code.substr(3, 2) + "/" + code.substr(5, 2);
}

std::optional<std::int64_t> RangeNumber(const std::string& text) {
    if (text.empty() || text.size() > RangeDigits || !digitsOnly(text)) return std::nullopt;
    return std::stoll(text);
}

void SetUpTitle(ReportDialog& dialog, const std::string& title, int orientation) {
    dialog.setLabel(TitleLabel, title);
    dialog.setLabel(PaperLabel, orientation == 1 ? "A4 縦" : "A4 横");
}

void SetUpRangeRow(ReportDialog& dialog, std::int16_t row, const std::string& caption, const std::string& first,
                   const std::string& last) {
    dialog.setLabel(row, caption);
    dialog.setFieldText(row, first);
    dialog.setFieldText(row + EndBoxOffset, last);
    dialog.setLabel(row + EndBoxOffset, "");
}

void CheckNumberBox(ReportDialog& dialog, std::int16_t box, const LengthRule& lengthRule, std::int16_t& FocusIndex,
                    std::int16_t& Err) {
    Err = 0;
    const std::string text = dialog.fieldText(box);
    lengthRule(text, box, Err);
    if (Err != 0) return refuseBox(dialog, box, TooManyDigitsMessage, FocusIndex, Err);
    // An empty box is no number either; the print run needs one.
    if (!RangeNumber(text)) return refuseBox(dialog, box, NotDigitsMessage, FocusIndex, Err);
}

void CheckRangeRow(ReportDialog& dialog, const LengthRule& lengthRule, std::int16_t& FocusIndex, std::int16_t& Err) {
    for (const std::int16_t box : {std::int16_t{0}, static_cast<std::int16_t>(EndBoxOffset)}) {
        CheckNumberBox(dialog, box, lengthRule, FocusIndex, Err);
        if (Err != 0) return;
    }
}

void ShowCheckFault(ReportDialog& dialog,
                    const std::function<void(ReportDialog&, std::int16_t&, std::int16_t&)>& check) {
    std::int16_t focus = 0;
    std::int16_t err = 0;
    check(dialog, focus, err);
}

std::optional<std::pair<std::int64_t, std::int64_t>> RangeRowBounds(ReportDialog& dialog) {
    const auto first = RangeNumber(dialog.fieldText(0));
    const auto last = RangeNumber(dialog.fieldText(EndBoxOffset));
    if (!first || !last) {
        dialog.state().message(NotDigitsMessage);
        return std::nullopt;
    }
    return std::make_pair(*first, *last);
}

std::optional<std::int32_t> EraPeriodDate(const data::F01Rec& control, const std::string& text, std::size_t digits,
                                          const std::string& dayPart) {
    if (text.empty() || text.size() > digits || !digitsOnly(text)) return std::nullopt;
    const std::string period = std::string(digits - text.size(), '0') + text;
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(control, static_cast<std::int16_t>(period[0] - '0'), period.substr(1) + dayPart, ymd, err);
    if (err != 0) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(ymd));
}

void SetUpEraPeriodRow(ReportDialog& dialog, const std::string& title, const std::string& caption, std::size_t digits) {
    const data::F01Rec& control = dialog.state().F01Record;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, control.F01_ACT, text, code, err);
    std::string legend;
    common::EraHintText(control, legend);

    SetUpTitle(dialog, title, 2);
    // A code whose era year has three digits is not cut into a period that names another month.
    SetUpRangeRow(dialog, 0, caption, err == 0 && common::EraCodeFits(code) ? code.substr(0, digits) : std::string(),
                  "");
    dialog.setLabel(EndBoxOffset, legend);
}

void CheckEraPeriod(ReportDialog& dialog, std::int16_t box, std::size_t digits, const LengthRule& lengthRule,
                    const std::string& dayPart, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    const std::string text = dialog.fieldText(box);
    lengthRule(text, box, Err);
    if (Err != 0) return refuseBox(dialog, box, TooManyDigitsMessage, FocusIndex, Err);
    if (!digitsOnly(text)) return refuseBox(dialog, box, NotDigitsMessage, FocusIndex, Err);
    // The print run needs a real date to ask for its lines.
    if (!EraPeriodDate(dialog.state().F01Record, text, digits, dayPart))
        return refuseBox(dialog, box, BadDateMessage, FocusIndex, Err);
}

void PageRun::printPageHeader(const std::string& title, int orientation) {
    PrintPageHeader(s_, page_, title, orientation, pageNo_);
}

void PageRun::printListHeader(const std::string& title, int orientation, std::initializer_list<const char*> headings) {
    printPageHeader(title, orientation);
    PrintHeadingBand(s_, page_, top(), headings);
}

std::int16_t PageRun::beginRow(const std::function<void()>& header) {
    if (lineCounter_ == 0) header();
    ++lineCounter_;
    return top() + lineCounter_;
}

void PageRun::endRow(std::int16_t threshold) {
    const std::int16_t r = top() + lineCounter_;
    DrawRule(s_, page_, "Line", r, lineCounter_ == 1 ? HeavyRule : ThinRule);
    DrawRule(s_, page_, "Row", r, ThinRule);
    if (lineCounter_ > threshold) closePage();
}

std::int16_t PageRun::beginRowOnOpenPage(std::int16_t threshold, const std::function<void()>& header) {
    if (lineCounter_ > threshold) closePage();
    return beginRow(header);
}

void PageRun::finishRows() {
    closePage();
    page_.endDoc();
}

void PageRun::closePage() {
    if (lineCounter_ == 0) return;
    DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
    page_.newPage();
    lineCounter_ = 0;
}

std::int16_t PageRun::beginEntry(std::int16_t threshold, const std::function<void()>& header) {
    if (lineCounter_ > threshold) closeWithBand();
    if (lineCounter_ == 0) header();
    lineCounter_ += EntryRows;
    return top() + lineCounter_;
}

void PageRun::ruleEntry(std::int16_t row) {
    DrawRule(s_, page_, "Line", row, lineCounter_ == EntryRows ? HeavyRule : ThinRule);
    DrawRule(s_, page_, "Row", row, ThinRule);
    DrawRule(s_, page_, "Row", row + 1, ThinRule);
}

void PageRun::fillEntries(std::int16_t lastEntry) {
    while (lineCounter_ <= lastEntry) {
        lineCounter_ += EntryRows;
        const std::int16_t r = top() + lineCounter_;
        DrawRule(s_, page_, "Line", r, ThinRule);
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
    }
}

std::int16_t PageRun::nextEntryRow() {
    lineCounter_ += EntryRows;
    return top() + lineCounter_;
}

// A ruled band without text closes a full page.
void PageRun::closeWithBand() {
    const std::int16_t r = nextEntryRow();
    DrawRule(s_, page_, "Line", r, HeavyRule);
    DrawRule(s_, page_, "Row", r, ThinRule);
    DrawRule(s_, page_, "Line", r + 1, HeavyRule);
    DrawRule(s_, page_, "Row", r + 1, ThinRule);
    DrawRule(s_, page_, "Line", r + 2, HeavyRule);
    page_.newPage();
    lineCounter_ = 0;
}

void PageRun::printBroughtForward(std::size_t amountColumn, const std::string& amount,
                                  std::initializer_list<const char*> headings) {
    const std::int16_t r = top();
    DrawRule(s_, page_, "Line", r, HeavyRule);
    PrintAt(page_, s_.PageGeo[1], r, HeadingSize, "前期繰越");
    if (!amount.empty()) PrintAt(page_, s_.ColPos[amountColumn], r, HeadingSize, amount);
    DrawRule(s_, page_, "Row", r, ThinRule);
    DrawRule(s_, page_, "Line", r + 1, HeavyRule);
    PrintHeadingRow(s_, page_, r + 1, headings);
    DrawRule(s_, page_, "Row", r + 1, ThinRule);
}

void PageRun::printTotalsAndCarryOut(std::int16_t row, std::size_t receiptsColumn, db::Currency receipts,
                                     db::Currency payments, db::Currency balance, const std::string& pattern) {
    DrawRule(s_, page_, "Line", row, HeavyRule);
    PrintAt(page_, s_.PageGeo[1], row, HeadingSize, "合　　計");
    PrintAt(page_, s_.ColPos[receiptsColumn], row, HeadingSize, common::FormatFix(receipts, pattern));
    PrintAt(page_, s_.ColPos[receiptsColumn + 1], row, HeadingSize, common::FormatFix(payments, pattern));
    DrawRule(s_, page_, "Row", row, ThinRule);
    DrawRule(s_, page_, "Line", row + 1, HeavyRule);
    PrintAt(page_, s_.PageGeo[1], row + 1, HeadingSize, "次期繰越");
    PrintAt(page_, s_.ColPos[receiptsColumn + 2], row + 1, HeadingSize, common::FormatFix(balance, pattern));
    DrawRule(s_, page_, "Row", row + 1, ThinRule);
    DrawRule(s_, page_, "Line", row + 2, HeavyRule);
}

} // namespace reports
