#include "reports/daily_report.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "data/fixed_text.h"
#include "data/keyed_access.h"
#include "reports/page_machinery.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr const char* Title = "経理日報";
constexpr int Landscape = 2;
constexpr std::int16_t DateBox = 0;
constexpr std::size_t DateLength = 7;
constexpr const char* AmountPattern = "#,###,###,##0";

// Frame and columns.
constexpr std::int16_t RightColumn = 110;
constexpr std::int16_t BottomRow = 43;
constexpr std::int16_t SubjectColumn = 13;
constexpr std::int16_t DescriptionColumn = 41;
constexpr std::int16_t DetailColumn = 67;
constexpr std::int16_t DirectionColumn = 95;
constexpr std::int16_t AmountColumn = 100;
constexpr std::int16_t TextSize = 9;

// An entry takes two rows; a page holds entries up to line counter 34, and the last page is ruled
// through line counter 36 with the total below.
constexpr std::int16_t RowsPerEntry = 2;
constexpr std::int16_t PageBreakThreshold = 32;
constexpr std::int16_t LastEntryOffset = 34;

constexpr const char* Query = "SELECT * FROM F45TB WHERE F45_YMD = ? ORDER BY F45_DNO, F45_LIN";

bool isNoDescription(const std::string& code) {
    const std::string fitted = data::fitText(code, 6);
    return fitted == "000000" || fitted == "      ";
}

// One print run: the page, where it stands and the day's sums.
class DailyReportRun {
public:
    DailyReportRun(data::ProgramState& s, platform::Page& page, std::string dateLine)
        : s_(s), page_(page), dateLine_(std::move(dateLine)) {}

    void printLine(const db::QueryRecordset& row) {
        if (lineCounter_ > PageBreakThreshold) closePage();
        if (lineCounter_ == 0) printHeader();
        lineCounter_ += RowsPerEntry;
        const std::int16_t r = top() + lineCounter_;

        const auto io = static_cast<std::int16_t>(row.field("F45_IO").asInt());
        const db::Currency stored = row.field("F45_AMT").asCurrency();

        PrintAt(page_, s_.PageGeo[1], r, TextSize,
                common::FormatFix(row.field("F45_DNO").asInt(), "#####0") + "-" +
                    common::FormatFix(row.field("F45_LIN").asInt(), "#0"));

        const std::int16_t subjectIo = printSubject(row, r);
        printDescription(row, r);
        printDetail(row, r);

        // The printed amount runs against the subject's direction; the totals are the cash that moved.
        const db::Currency amount = io != subjectIo ? -stored : stored;
        PrintAt(page_, DirectionColumn, r, TextSize, io == 0 ? " 入金" : " 出金");
        PrintAt(page_, AmountColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
        if (io == 0)
            receipts_ += stored;
        else
            payments_ += stored;

        DrawRule(s_, page_, "Line", r, lineCounter_ == RowsPerEntry ? HeavyRule : ThinRule);
        DrawRule(s_, page_, "Row", r, ThinRule);

        PrintText(page_, DescriptionColumn, r + 1, TextSize, row.field("F45_RMK").asText());
        printCounterpart(row, r + 1);
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
    }

    // Empty entries to the foot of the last page, the total row, and the end of the document.
    void finish() {
        for (std::int16_t i = lineCounter_; i <= LastEntryOffset; i += RowsPerEntry) {
            lineCounter_ += RowsPerEntry;
            const std::int16_t r = top() + lineCounter_;
            DrawRule(s_, page_, "Line", r, ThinRule);
            DrawRule(s_, page_, "Row", r, ThinRule);
            DrawRule(s_, page_, "Row", r + 1, ThinRule);
        }
        lineCounter_ += RowsPerEntry;
        const std::int16_t r = top() + lineCounter_;
        DrawRule(s_, page_, "Line", r, HeavyRule);
        PrintAt(page_, s_.PageGeo[1], r, TextSize, "　　合  計");
        PrintAt(page_, AmountColumn, r, TextSize, common::FormatFix(receipts_ - payments_, AmountPattern));
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Line", r + 1, HeavyRule);
        page_.newPage();
        page_.endDoc();
    }

private:
    std::int16_t top() const { return s_.PageGeo[2]; }

    void printHeader() {
        PrintPageHeader(s_, page_, Title, Landscape, pageNo_);
        PrintAt(page_, s_.PageGeo[1], 4, TextSize, dateLine_);
        DrawRule(s_, page_, "Line", top(), HeavyRule);
        PrintAt(page_, s_.PageGeo[1], top(), TextSize, "　伝票No-行");
        PrintAt(page_, SubjectColumn, top(), TextSize, "　　　　勘定科目");
        PrintAt(page_, DescriptionColumn, top(), TextSize, "　　　　摘要　/　備考");
        PrintAt(page_, DetailColumn, top(), TextSize, "　　　　詳細　/　相手先");
        PrintAt(page_, DirectionColumn, top(), TextSize, " 区分");
        PrintAt(page_, AmountColumn, top(), TextSize, "    　金　額");
        DrawRule(s_, page_, "Row", top(), ThinRule);
        DrawRule(s_, page_, "Row", top() + 1, ThinRule);
    }

    // A ruled band without text closes a full page.
    void closePage() {
        lineCounter_ += RowsPerEntry;
        const std::int16_t r = top() + lineCounter_;
        DrawRule(s_, page_, "Line", r, HeavyRule);
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Line", r + 1, HeavyRule);
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
        DrawRule(s_, page_, "Line", r + 2, HeavyRule);
        page_.newPage();
        lineCounter_ = 0;
    }

    // Prints the subject's code and name; returns the subject's direction for the sign rule.
    std::int16_t printSubject(const db::QueryRecordset& row, std::int16_t r) {
        const auto kbn = static_cast<std::int16_t>(row.field("F45_KBN").asInt());
        const auto act = static_cast<std::int32_t>(row.field("F45_ACT").asInt());
        std::string text = common::FormatCode(kbn, 3, static_cast<std::int16_t>(data::CodeDigits(s_, 1))) + "-" +
                           common::FormatCode(act, 6, 6);
        s_.F21Record.F21_KBN = kbn;
        s_.F21Record.F21_ACT = act;
        s_.F21Record.F21_SRT = 0;
        std::int16_t status = 9;
        data::F21Access(s_, "LOOK", status);
        if (status == 0) text += " " + s_.F21Record.F21_NAM.str();
        PrintText(page_, SubjectColumn, r, TextSize, text);
        return s_.F21Record.F21_IO;
    }

    void printDescription(const db::QueryRecordset& row, std::int16_t r) {
        const std::string code = row.field("F45_TEK").asText();
        if (isNoDescription(code)) return;
        std::string text = data::fitText(code, 6);
        s_.F18Record.F18_COD = text;
        std::int16_t status = 9;
        data::F18Access(s_, "GET", status);
        if (status == 0) text += " " + s_.F18Record.F18_DSC.str();
        PrintText(page_, DescriptionColumn, r, TextSize, text);
    }

    void printDetail(const db::QueryRecordset& row, std::int16_t r) {
        const auto srt = static_cast<std::int32_t>(row.field("F45_SRT").asInt());
        if (srt <= 0) return;
        std::string text = common::FormatCode(srt, 6, static_cast<std::int16_t>(data::CodeDigits(s_, 3)));
        appendCodeName(text, 3, srt);
        PrintText(page_, DetailColumn, r, TextSize, text);
    }

    void printCounterpart(const db::QueryRecordset& row, std::int16_t r) {
        const auto knd = static_cast<std::int16_t>(row.field("F45_KND").asInt());
        if (knd <= 0) return;
        const auto cus = static_cast<std::int32_t>(row.field("F45_CUS").asInt());
        // A category without a row in CodeKbnTable has no digit count; its codes are then grouped by thousands.
        const auto digits = static_cast<std::int16_t>(data::CodeDigits(s_, knd));
        std::string text = common::FormatFix(knd, "#0") + "-" + common::FormatCode(cus, digits, digits);
        appendCodeName(text, knd, cus);
        PrintText(page_, DetailColumn, r, TextSize, text);
    }

    void appendCodeName(std::string& text, std::int16_t kbn, std::int32_t code) {
        s_.F10Record.F10_KBN = kbn;
        s_.F10Record.F10_COD = code;
        std::int16_t status = 9;
        data::F10Access(s_, "GET", status);
        if (status == 0) text += " " + s_.F10Record.F10_DTL.str();
    }

    data::ProgramState& s_;
    platform::Page& page_;
    std::string dateLine_;
    std::int16_t lineCounter_ = 0;
    std::int16_t pageNo_ = 0;
    db::Currency receipts_;
    db::Currency payments_;
};

// The era name and era date printed under the title.
std::string dateLineOf(const data::F01Rec& control, std::int32_t date) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, date, text, code, err);
    if (err != 0 || code.empty()) return {};
    const int era = code[0] - '0';
    if (era < 1 || era > 5) return text;
    return control.F01_NENG[static_cast<std::size_t>(era)].trimmed() + text;
}

} // namespace

void NIPPO_Init(ReportDialog& dialog) {
    const data::F01Rec& control = dialog.state().F01Record;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, control.F01_ACT, text, code, err);
    std::string legend;
    common::EraHintText(control, legend);

    dialog.setLabel(TitleLabel, Title);
    dialog.setLabel(PaperLabel, "A4 横");
    dialog.setLabel(0, "年号＋年月日");
    dialog.setFieldText(DateBox, err == 0 && common::EraCodeFits(code) ? code.substr(0, DateLength) : std::string());
    dialog.setFieldText(DateBox + EndBoxOffset, "");
    dialog.setLabel(DateBox + EndBoxOffset, legend);
}

void NIPPO_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    Err = (Index == 0 && common::characterCount(Text) > DateLength) ? 9 : 0;
}

void NIPPO_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    data::ProgramState& s = dialog.state();
    const std::string text = dialog.fieldText(DateBox);
    const auto refuse = [&](const char* message) {
        s.message(message);
        FocusIndex = DateBox;
        Err = 9;
    };
    NIPPO_CheckLength(text, DateBox, Err);
    if (Err != 0) return refuse(TooManyDigitsMessage);
    common::CheckDigits(text, Err);
    if (Err != 0) return refuse(NotDigitsMessage);
    // The print run needs a real date to ask for its lines.
    if (!NippoReportDate(s.F01Record, text)) return refuse(BadDateMessage);
}

std::optional<std::int32_t> NippoReportDate(const data::F01Rec& control, const std::string& text) {
    std::int16_t err = 0;
    common::CheckDigits(text, err);
    if (text.empty() || err != 0 || text.size() > DateLength) return std::nullopt;
    std::string code = std::to_string(std::stoll(text));
    code.insert(0, DateLength - code.size(), '0');
    std::string ymd;
    common::EraToDate(control, static_cast<std::int16_t>(code[0] - '0'), code.substr(1), ymd, err);
    if (err != 0) return std::nullopt;
    return static_cast<std::int32_t>(std::stol(ymd));
}

bool NIPPO_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    page.setPaperSize(9);
    page.setOrientation(Landscape);
    SetPageFrame(s, RightColumn, BottomRow,
                 {SubjectColumn, DescriptionColumn, DetailColumn, DirectionColumn, AmountColumn});

    const auto date = NippoReportDate(s.F01Record, dialog.fieldText(DateBox));
    if (!date) {
        s.message(BadDateMessage);
        return false;
    }
    DailyReportRun run(s, page, dateLineOf(s.F01Record, *date));
    return PrintRows(
        s, Query, {db::Value(static_cast<std::int64_t>(*date))},
        [&run](const db::QueryRecordset& row) { run.printLine(row); }, [&run] { run.finish(); });
}

ReportModule makeDailyReportModule() {
    return {.init = NIPPO_Init, .check = NIPPO_Check, .print = NIPPO_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
