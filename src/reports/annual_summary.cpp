#include "reports/annual_summary.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/keyed_access.h"
#include "reports/era_period.h"
#include "reports/page_machinery.h"
#include "reports/report_texts.h"
#include "reports/voucher_line_cells.h"

#include <array>

namespace reports {

namespace {

constexpr const char* Title = "年間集計表";
constexpr int Landscape = 2;
constexpr std::int16_t YearBox = 0;
constexpr std::size_t YearLength = 3;

constexpr std::int16_t RightColumn = 113;
constexpr std::int16_t BottomRow = 43;
constexpr std::int16_t DetailColumn = 15;
constexpr std::int16_t CounterpartColumn = 25;
constexpr std::int16_t FirstMonthColumn = 35;
constexpr std::int16_t MonthColumnWidth = 6;
constexpr std::int16_t YearTotalColumn = 107;
constexpr std::int16_t HeadingSize = 9;
constexpr std::int16_t CellSize = 7;
constexpr const char* AmountPattern = "##,###,##0";
constexpr std::int16_t PageBreakThreshold = 36;
constexpr std::int16_t DetailCategory = 3;

constexpr const char* Query =
    "SELECT * FROM F45TB WHERE F45_YMD >= ?  AND F45_YMD <= ?"
    " ORDER BY F45_KBN, F45_ACT, F45_SRT, F45_KND, F45_CUS,           F45_YMD, F45_DNO, F45_LIN";

constexpr std::int16_t monthColumn(int month) {
    return static_cast<std::int16_t>(FirstMonthColumn + (month - 1) * MonthColumnWidth);
}

const char* yearFault(const data::ProgramState& s, const std::string& text) {
    std::int16_t err = 0;
    common::GOUKEI_CheckLength(text, YearBox, err);
    if (err != 0) return TooManyDigitsMessage;
    return EraPeriodFault(s.F01Record, text, YearLength, "0101");
}

// Months 1 to 12 and the year total in 13.
using MonthSums = std::array<db::Currency, 14>;

struct LineKey {
    std::int16_t kbn = 0;
    std::int32_t act = 0;
    std::int32_t srt = 0;
    std::int16_t knd = 0;
    std::int32_t cus = 0;
    bool sameSubject(const LineKey& o) const { return kbn == o.kbn && act == o.act; }
    bool sameRow(const LineKey& o) const { return sameSubject(o) && srt == o.srt && knd == o.knd && cus == o.cus; }
};

class AnnualSummaryRun {
public:
    AnnualSummaryRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page) {}

    void addLine(const db::QueryRecordset& row) {
        if (columns_.ymd < 0) columns_ = Columns(row);
        const LineKey key{static_cast<std::int16_t>(row.field(columns_.kbn).asInt()),
                          static_cast<std::int32_t>(row.field(columns_.act).asInt()),
                          static_cast<std::int32_t>(row.field(columns_.srt).asInt()),
                          static_cast<std::int16_t>(row.field(columns_.knd).asInt()),
                          static_cast<std::int32_t>(row.field(columns_.cus).asInt())};
        if (started_) {
            if (!key.sameSubject(previous_))
                printSubjectBlock();
            else if (!key.sameRow(previous_))
                printDetailRow();
        }
        started_ = true;

        // The line's own detail gives the direction, or the subject when the detail is not registered.
        s_.F21Record.F21_KBN = key.kbn;
        s_.F21Record.F21_ACT = key.act;
        s_.F21Record.F21_SRT = key.srt;
        std::int16_t status = 9;
        data::F21Access(s_, "LOOK", status);
        const db::Currency stored = row.field(columns_.amt).asCurrency();
        const db::Currency amount = row.field(columns_.io).asInt() != s_.F21Record.F21_IO ? -stored : stored;
        // A stored date with no real month has no column to go in.
        const auto month = static_cast<std::size_t>(row.field(columns_.ymd).asInt() / 100 % 100);
        if (month >= 1 && month <= 12) {
            rowSums_[month] += amount;
            subjectSums_[month] += amount;
        }
        previous_ = key;
    }

    void finish() {
        printSubjectBlock();
        DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
        page_.newPage();
        page_.endDoc();
    }

private:
    struct Columns {
        Columns() = default;
        explicit Columns(const db::QueryRecordset& q)
            : ymd(q.columnIndex("F45_YMD")), kbn(q.columnIndex("F45_KBN")), act(q.columnIndex("F45_ACT")),
              srt(q.columnIndex("F45_SRT")), knd(q.columnIndex("F45_KND")), cus(q.columnIndex("F45_CUS")),
              io(q.columnIndex("F45_IO")), amt(q.columnIndex("F45_AMT")) {}
        int ymd = -1, kbn = -1, act = -1, srt = -1, knd = -1, cus = -1, io = -1, amt = -1;
    };

    std::int16_t top() const { return s_.PageGeo[2]; }

    // A subject opens under a heavy rule across the page; its rows are parted by thin rules that leave
    // the subject column open.
    void rowStep() {
        if (lineCounter_ > PageBreakThreshold) {
            DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
            page_.newPage();
            lineCounter_ = 0;
        }
        if (lineCounter_ == 0) {
            printHeader();
            DrawRule(s_, page_, "Line", top() + 1, HeavyRule);
            subjectStart_ = true;
        } else if (subjectStart_) {
            DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
        } else {
            DrawRule(s_, page_, "Line1", top() + lineCounter_ + 1, ThinRule);
        }
        ++lineCounter_;
    }

    void printHeader() {
        PrintPageHeader(s_, page_, Title, Landscape, pageNo_);
        DrawRule(s_, page_, "Line", top(), HeavyRule);
        PrintAt(page_, s_.PageGeo[1], top(), HeadingSize, "　　勘定科目");
        PrintAt(page_, DetailColumn, top(), HeadingSize, "　　詳  細");
        PrintAt(page_, CounterpartColumn, top(), HeadingSize, "　　相手先");
        for (int m = 1; m <= 12; ++m)
            PrintAt(page_, monthColumn(m), top(), HeadingSize, common::FormatFix(m, "###0") + " 月");
        PrintAt(page_, YearTotalColumn, top(), HeadingSize, "年間合計");
        DrawRule(s_, page_, "Row", top(), ThinRule);
    }

    void printSubjectName(std::int16_t r) {
        s_.F21Record.F21_KBN = previous_.kbn;
        s_.F21Record.F21_ACT = previous_.act;
        s_.F21Record.F21_SRT = 0;
        std::int16_t status = 9;
        data::F21Access(s_, "LOOK", status);
        PrintText(page_, s_.PageGeo[1], r, CellSize, s_.F21Record.F21_NAM.str());
    }

    // The twelve months and their sum in cell 13, which is summed as the row is printed.
    void printMonths(MonthSums& sums, std::int16_t r) {
        for (int m = 1; m <= 12; ++m) {
            PrintAt(page_, monthColumn(m), r, CellSize, common::FormatFix(sums[m], AmountPattern));
            sums[13] += sums[m];
        }
        PrintAt(page_, YearTotalColumn, r, CellSize, common::FormatFix(sums[13], AmountPattern));
    }

    void printDetailRow() {
        rowStep();
        const std::int16_t r = top() + lineCounter_;
        if (subjectStart_) printSubjectName(r);
        if (previous_.srt > 0) PrintText(page_, DetailColumn, r, CellSize, CodeName(s_, DetailCategory, previous_.srt));
        if (previous_.knd > 0 && previous_.cus > 0)
            PrintText(page_, CounterpartColumn, r, CellSize, CodeName(s_, previous_.knd, previous_.cus));
        printMonths(rowSums_, r);
        DrawRule(s_, page_, "Row", r, ThinRule);
        rowSums_.fill(db::Currency());
        subjectStart_ = false;
    }

    void printSubjectBlock() {
        printDetailRow();
        rowStep();
        const std::int16_t r = top() + lineCounter_;
        if (lineCounter_ == 1) printSubjectName(r);
        PrintAt(page_, CounterpartColumn, r, CellSize, "　（合計）");
        printMonths(subjectSums_, r);
        DrawRule(s_, page_, "Row", r, ThinRule);
        subjectSums_.fill(db::Currency());
        subjectStart_ = true;
    }

    data::ProgramState& s_;
    platform::Page& page_;
    Columns columns_;
    MonthSums rowSums_{};
    MonthSums subjectSums_{};
    LineKey previous_;
    bool started_ = false;
    bool subjectStart_ = false;
    std::int16_t lineCounter_ = 0;
    std::int16_t pageNo_ = 0;
};

} // namespace

void GOUKEI_Init(ReportDialog& dialog) {
    const data::F01Rec& control = dialog.state().F01Record;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, control.F01_ACT, text, code, err);
    std::string legend;
    common::EraHintText(control, legend);

    dialog.setLabel(TitleLabel, Title);
    dialog.setLabel(PaperLabel, "A4 横");
    dialog.setLabel(YearBox, "年号＋年");
    dialog.setFieldText(YearBox, err == 0 ? code.substr(0, YearLength) : std::string());
    dialog.setFieldText(YearBox + EndBoxOffset, "");
    dialog.setLabel(YearBox + EndBoxOffset, legend);
}

void GOUKEI_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    data::ProgramState& s = dialog.state();
    if (const char* fault = yearFault(s, dialog.fieldText(YearBox))) {
        s.message(fault);
        FocusIndex = YearBox;
        Err = 9;
    }
}

bool GOUKEI_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    page.setPaperSize(9);
    page.setOrientation(Landscape);
    SetPageFrame(s, RightColumn, BottomRow,
                 {DetailColumn, CounterpartColumn, monthColumn(1), monthColumn(2), monthColumn(3), monthColumn(4),
                  monthColumn(5), monthColumn(6), monthColumn(7), monthColumn(8), monthColumn(9), monthColumn(10),
                  monthColumn(11), monthColumn(12), YearTotalColumn});
    const std::string year = dialog.fieldText(YearBox);
    if (const char* fault = yearFault(s, year)) {
        s.message(fault);
        return false;
    }
    const std::int32_t fromDate = *EraPeriodFirstDay(s.F01Record, year, YearLength, "0101");
    const std::int32_t toDate = fromDate / 10000 * 10000 + 9999;
    AnnualSummaryRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(fromDate), db::Value(toDate)}, [&run](const db::QueryRecordset& row) { run.addLine(row); },
        [&run] { run.finish(); });
}

ReportModule makeAnnualSummaryModule() {
    return {
        .init = GOUKEI_Init, .check = GOUKEI_Check, .print = GOUKEI_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
