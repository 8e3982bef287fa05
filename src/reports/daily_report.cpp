#include "reports/daily_report.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/utf8_text.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
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
constexpr std::int16_t PageBreakThreshold = 32;
constexpr std::int16_t LastEntryOffset = 34;

constexpr const char* Query = "SELECT * FROM F45TB WHERE F45_YMD = ? ORDER BY F45_DNO, F45_LIN";

// One print run: the page, where it stands and the day's sums.
class DailyReportRun {
public:
    DailyReportRun(data::ProgramState& s, platform::Page& page, std::string dateLine)
        : s_(s), page_(page), pages_(s, page), dateLine_(std::move(dateLine)) {}

    bool printLine(const db::QueryRecordset& row) {
        const std::int16_t r = pages_.beginEntry(PageBreakThreshold, [this] { printHeader(); });

        const auto io = static_cast<std::int16_t>(row.field("F45_IO").asInt());
        const db::Currency stored = row.field("F45_AMT").asCurrency();

        PrintAt(page_, s_.PageGeo[1], r, TextSize,
                VoucherText(row.field("F45_DNO").asInt(), row.field("F45_LIN").asInt()));
        PrintText(s_, page_, SubjectColumn, r, TextSize,
                  SubjectText(s_, static_cast<std::int16_t>(row.field("F45_KBN").asInt()),
                              static_cast<std::int32_t>(row.field("F45_ACT").asInt())));
        const std::int16_t subjectIo = s_.F21Record.F21_IO;
        PrintText(s_, page_, DescriptionColumn, r, TextSize, DescriptionText(s_, row.field("F45_TEK").asText()));
        PrintText(s_, page_, DetailColumn, r, TextSize,
                  DetailText(s_, static_cast<std::int32_t>(row.field("F45_SRT").asInt())));

        // The printed amount runs against the subject's direction; the totals are the cash that moved.
        const db::Currency amount = io != subjectIo ? -stored : stored;
        PrintAt(page_, DirectionColumn, r, TextSize, io == 0 ? " 入金" : " 出金");
        PrintAt(page_, AmountColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
        if (io == 0)
            receipts_ += stored;
        else
            payments_ += stored;

        PrintText(s_, page_, DescriptionColumn, r + 1, TextSize, row.field("F45_RMK").asText());
        PrintText(s_, page_, DetailColumn, r + 1, TextSize,
                  CounterpartText(s_, static_cast<std::int16_t>(row.field("F45_KND").asInt()),
                                  static_cast<std::int32_t>(row.field("F45_CUS").asInt())));
        pages_.ruleEntry(r);
        return true;
    }

    // Empty entries to the foot of the last page, the total row, and the end of the document.
    void finish() {
        pages_.fillEntries(LastEntryOffset);
        const std::int16_t r = pages_.nextEntryRow();
        DrawRule(s_, page_, "Line", r, HeavyRule);
        PrintAt(page_, s_.PageGeo[1], r, TextSize, "　　合  計");
        PrintAt(page_, AmountColumn, r, TextSize, common::FormatFix(receipts_ - payments_, AmountPattern));
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Line", r + 1, HeavyRule);
        page_.newPage();
        page_.endDoc();
    }

private:
    void printHeader() {
        pages_.printPageHeader(Title, Landscape);
        PrintAt(page_, s_.PageGeo[1], 4, TextSize, dateLine_);
        PrintHeadingBand(s_, page_, pages_.top(),
                         {"　伝票No-行", "　　　　勘定科目", "　　　　摘要　/　備考", "　　　　詳細　/　相手先",
                          " 区分", "    　金　額"});
        DrawRule(s_, page_, "Row", pages_.top() + 1, ThinRule);
    }

    data::ProgramState& s_;
    platform::Page& page_;
    PageRun pages_;
    std::string dateLine_;
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

void NIPPO_Init(ReportDialog& dialog) { SetUpEraPeriodRow(dialog, Title, "年号＋年月日", DateLength); }

void NIPPO_CheckLength(const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    Err = (Index == 0 && common::characterCount(Text) > DateLength) ? 9 : 0;
}

void NIPPO_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(dialog, DateBox, DateLength, NIPPO_CheckLength, "", FocusIndex, Err);
}

std::optional<std::int32_t> NippoReportDate(const data::F01Rec& control, const std::string& text) {
    return EraPeriodDate(control, text, DateLength, "");
}

bool NIPPO_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(s, page, Landscape, RightColumn, BottomRow,
               {SubjectColumn, DescriptionColumn, DetailColumn, DirectionColumn, AmountColumn});

    const auto date = NippoReportDate(s.F01Record, dialog.fieldText(DateBox));
    if (!date) {
        s.message(BadDateMessage);
        return false;
    }
    DailyReportRun run(s, page, dateLineOf(s.F01Record, *date));
    return PrintRows(
        s, Query, {db::Value(static_cast<std::int64_t>(*date))},
        [&run](const db::QueryRecordset& row) { return run.printLine(row); }, [&run] { run.finish(); });
}

ReportModule makeDailyReportModule() {
    return {.init = NIPPO_Init, .check = NIPPO_Check, .print = NIPPO_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
