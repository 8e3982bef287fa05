#include "reports/annual_summary.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/keyed_access.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

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
    AnnualSummaryRun(data::ProgramState& s, platform::Page& page) : s_(s), pages_(s, page) {}

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
        pages_.finishRows();
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

    // A subject opens under a heavy rule across the page; its rows are parted by thin rules that leave
    // the subject column open.
    std::int16_t beginRow() {
        const std::int16_t r = pages_.beginRowOnOpenPage(PageBreakThreshold, [this] {
            printHeader();
            subjectStart_ = true;
        });
        DrawRule(s_, pages_.page(), subjectStart_ ? "Line" : "Line1", r, subjectStart_ ? HeavyRule : ThinRule);
        return r;
    }

    void printHeader() {
        pages_.printPageHeader(Title, Landscape);
        DrawRule(s_, pages_.page(), "Line", pages_.top(), HeavyRule);
        PrintHeadingRow(s_, pages_.page(), pages_.top(), {"　　勘定科目", "　　詳  細", "　　相手先"});
        for (int m = 1; m <= 12; ++m)
            PrintAt(pages_.page(), monthColumn(m), pages_.top(), HeadingSize, common::FormatFix(m, "###0") + " 月");
        PrintAt(pages_.page(), YearTotalColumn, pages_.top(), HeadingSize, "年間合計");
        DrawRule(s_, pages_.page(), "Row", pages_.top(), ThinRule);
    }

    void printSubjectName(std::int16_t r) {
        s_.F21Record.F21_KBN = previous_.kbn;
        s_.F21Record.F21_ACT = previous_.act;
        s_.F21Record.F21_SRT = 0;
        std::int16_t status = 9;
        data::F21Access(s_, "LOOK", status);
        PrintText(s_, pages_.page(), s_.PageGeo[1], r, CellSize, s_.F21Record.F21_NAM.str());
    }

    // The twelve months and their sum in cell 13, which is summed as the row is printed.
    void printMonths(MonthSums& sums, std::int16_t r) {
        for (int m = 1; m <= 12; ++m) {
            PrintAt(pages_.page(), monthColumn(m), r, CellSize, common::FormatFix(sums[m], AmountPattern));
            sums[13] += sums[m];
        }
        PrintAt(pages_.page(), YearTotalColumn, r, CellSize, common::FormatFix(sums[13], AmountPattern));
    }

    // A registered name; a detail or counterpart that is not leaves its cell empty.
    void printCodeName(std::int16_t column, std::int16_t r, std::int16_t category, std::int32_t code) {
        if (const auto name = CodeName(s_, category, code)) PrintText(s_, pages_.page(), column, r, CellSize, *name);
    }

    void printDetailRow() {
        const std::int16_t r = beginRow();
        if (subjectStart_) printSubjectName(r);
        if (previous_.srt > 0) printCodeName(DetailColumn, r, DetailCategory, previous_.srt);
        if (previous_.knd > 0 && previous_.cus > 0) printCodeName(CounterpartColumn, r, previous_.knd, previous_.cus);
        printMonths(rowSums_, r);
        DrawRule(s_, pages_.page(), "Row", r, ThinRule);
        rowSums_.fill(db::Currency());
        subjectStart_ = false;
    }

    void printSubjectBlock() {
        printDetailRow();
        const std::int16_t r = beginRow();
        if (pages_.lineCounter() == 1) printSubjectName(r);
        PrintAt(pages_.page(), CounterpartColumn, r, CellSize, "　（合計）");
        printMonths(subjectSums_, r);
        DrawRule(s_, pages_.page(), "Row", r, ThinRule);
        subjectSums_.fill(db::Currency());
        subjectStart_ = true;
    }

    data::ProgramState& s_;
    PageRun pages_;
    Columns columns_;
    MonthSums rowSums_{};
    MonthSums subjectSums_{};
    LineKey previous_;
    bool started_ = false;
    bool subjectStart_ = false;
};

} // namespace

void GOUKEI_Init(ReportDialog& dialog) { SetUpEraPeriodRow(dialog, Title, "年号＋年", YearLength); }

void GOUKEI_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(dialog, YearBox, YearLength, common::GOUKEI_CheckLength, "0101", FocusIndex, Err);
}

bool GOUKEI_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(s, page, Landscape, RightColumn, BottomRow,
               {DetailColumn, CounterpartColumn, monthColumn(1), monthColumn(2), monthColumn(3), monthColumn(4),
                monthColumn(5), monthColumn(6), monthColumn(7), monthColumn(8), monthColumn(9), monthColumn(10),
                monthColumn(11), monthColumn(12), YearTotalColumn});
    const auto firstDay = EraPeriodDate(s.F01Record, dialog.fieldText(YearBox), YearLength, "0101");
    if (!firstDay) {
        ShowCheckFault(dialog, GOUKEI_Check);
        return false;
    }
    AnnualSummaryRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(*firstDay), db::Value(*firstDay / 10000 * 10000 + 9999)},
        [&run](const db::QueryRecordset& row) {
            run.addLine(row);
            return true;
        },
        [&run] { run.finish(); });
}

ReportModule makeAnnualSummaryModule() {
    return {
        .init = GOUKEI_Init, .check = GOUKEI_Check, .print = GOUKEI_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
