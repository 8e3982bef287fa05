#include "reports/expense_item_list.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr const char* Title = "費目別一覧";
constexpr int Landscape = 2;
constexpr std::int16_t MonthBox = 0;
constexpr std::size_t MonthLength = 5;

constexpr std::int16_t RightColumn = 110;
constexpr std::int16_t BottomRow = 43;
constexpr std::int16_t DateColumn = 28;
constexpr std::int16_t VoucherColumn = 34;
constexpr std::int16_t AmountColumn = 41;
constexpr std::int16_t DetailColumn = 50;
constexpr std::int16_t CounterpartColumn = 65;
constexpr std::int16_t DescriptionColumn = 80;
constexpr std::int16_t RemarkColumn = 95;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t SmallSize = 7;
constexpr const char* AmountPattern = "###,###,##0";
constexpr std::int16_t PageBreakThreshold = 36;

constexpr const char* Query = "SELECT * FROM F45TB WHERE F45_YMD >= ?  AND F45_YMD <= ?"
                              " ORDER BY F45_KBN, F45_ACT, F45_YMD, F45_DNO, F45_LIN";

class ExpenseItemListRun {
public:
    ExpenseItemListRun(data::ProgramState& s, platform::Page& page) : s_(s), pages_(s, page) {}

    void printLine(const db::QueryRecordset& row) {
        if (columns_.ymd < 0) columns_ = Columns(row);
        platform::Page& page = pages_.page();
        const auto kbn = static_cast<std::int16_t>(row.field(columns_.kbn).asInt());
        const auto act = static_cast<std::int32_t>(row.field(columns_.act).asInt());
        if (changes(kbn, act) && pages_.pageNo() > 0) printSubtotal();
        const std::int16_t r = beginRow();

        // A page header forgets the subject, so the first line of every page shows it again.
        if (changes(kbn, act)) {
            PrintText(s_, page, s_.PageGeo[1], r, TextSize, SubjectText(s_, kbn, act));
            subjectIo_ = s_.F21Record.F21_IO;
        }
        PrintText(s_, page, DateColumn, r, TextSize,
                  EraDateText(s_.F01Record, static_cast<std::int32_t>(row.field(columns_.ymd).asInt())));
        PrintAt(page, VoucherColumn, r, TextSize,
                VoucherText(row.field(columns_.dno).asInt(), row.field(columns_.lin).asInt()));
        const db::Currency stored = row.field(columns_.amt).asCurrency();
        const db::Currency amount = row.field(columns_.io).asInt() != subjectIo_ ? -stored : stored;
        PrintAt(page, AmountColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
        subjectTotal_ += amount;
        PrintText(s_, page, DetailColumn, r, SmallSize,
                  DetailText(s_, static_cast<std::int32_t>(row.field(columns_.srt).asInt()), 5));
        PrintText(s_, page, CounterpartColumn, r, SmallSize,
                  CounterpartText(s_, static_cast<std::int16_t>(row.field(columns_.knd).asInt()),
                                  static_cast<std::int32_t>(row.field(columns_.cus).asInt())));
        PrintText(s_, page, DescriptionColumn, r, SmallSize, DescriptionText(s_, row.field(columns_.tek).asText()));
        PrintText(s_, page, RemarkColumn, r, TextSize, row.field(columns_.rmk).asText());
        if (ruleAbove_) DrawRule(s_, page, "Line", r, ThinRule);
        DrawRule(s_, page, "Row", r, ThinRule);

        previousCategory_ = kbn;
        previousSubject_ = act;
        ruleAbove_ = false;
    }

    void finish() {
        printSubtotal();
        pages_.finishRows();
    }

private:
    struct Columns {
        Columns() = default;
        explicit Columns(const db::QueryRecordset& q)
            : ymd(q.columnIndex("F45_YMD")), dno(q.columnIndex("F45_DNO")), lin(q.columnIndex("F45_LIN")),
              kbn(q.columnIndex("F45_KBN")), act(q.columnIndex("F45_ACT")), srt(q.columnIndex("F45_SRT")),
              knd(q.columnIndex("F45_KND")), cus(q.columnIndex("F45_CUS")), tek(q.columnIndex("F45_TEK")),
              rmk(q.columnIndex("F45_RMK")), io(q.columnIndex("F45_IO")), amt(q.columnIndex("F45_AMT")) {}
        int ymd = -1, dno = -1, lin = -1, kbn = -1, act = -1, srt = -1, knd = -1, cus = -1, tek = -1, rmk = -1, io = -1,
            amt = -1;
    };

    bool changes(std::int16_t kbn, std::int32_t act) const {
        return kbn != previousCategory_ || act != previousSubject_;
    }

    std::int16_t beginRow() {
        return pages_.beginRowOnOpenPage(PageBreakThreshold, [this] {
            printHeader();
            previousCategory_ = 0;
            previousSubject_ = 0;
        });
    }

    void printHeader() {
        pages_.printPageHeader(Title, Landscape);
        DrawRule(s_, pages_.page(), "Line", pages_.top(), HeavyRule);
        PrintHeadingRow(s_, pages_.page(), pages_.top(),
                        {"　　勘定科目", "日　付", "伝票NO-行", "　　金　額", "　　詳  細", "　　相手先", "　　摘  要",
                         "　　備  考"});
        DrawRule(s_, pages_.page(), "Row", pages_.top(), ThinRule);
        ruleAbove_ = true;
    }

    // Two rows, a dash line and the subject's total, of which only the first is reserved: a subtotal
    // that opens on a page's last row prints its total one row lower.
    void printSubtotal() {
        platform::Page& page = pages_.page();
        const std::int16_t r = beginRow();
        if (pages_.lineCounter() == 1) DrawRule(s_, page, "Line", r, ThinRule);
        PrintAt(page, VoucherColumn, r, TextSize, std::string(25, '-'));
        DrawRule(s_, page, "Row", r, ThinRule);
        PrintAt(page, VoucherColumn, r + 1, TextSize, "　合　計");
        PrintAt(page, AmountColumn, r + 1, TextSize, common::FormatFix(subjectTotal_, AmountPattern));
        DrawRule(s_, page, "Row", r + 1, ThinRule);
        subjectTotal_ = db::Currency();
        pages_.takeRow();
        ruleAbove_ = true;
    }

    data::ProgramState& s_;
    PageRun pages_;
    Columns columns_;
    std::int16_t previousCategory_ = 0;
    std::int32_t previousSubject_ = 0;
    std::int16_t subjectIo_ = 0;
    db::Currency subjectTotal_;
    bool ruleAbove_ = false;
};

} // namespace

void PL_Init(ReportDialog& dialog) { SetUpEraPeriodRow(dialog, Title, "年号＋年月", MonthLength); }

void PL_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(dialog, MonthBox, MonthLength, common::PL_CheckLength, "01", FocusIndex, Err);
}

bool PL_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(
        s, page, Landscape, RightColumn, BottomRow,
        {DateColumn, VoucherColumn, AmountColumn, DetailColumn, CounterpartColumn, DescriptionColumn, RemarkColumn});
    const auto firstDay = EraPeriodDate(s.F01Record, dialog.fieldText(MonthBox), MonthLength, "01");
    if (!firstDay) {
        ShowCheckFault(dialog, PL_Check);
        return false;
    }
    ExpenseItemListRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(*firstDay), db::Value(*firstDay / 100 * 100 + 99)},
        [&run](const db::QueryRecordset& row) {
            run.printLine(row);
            return true;
        },
        [&run] { run.finish(); });
}

ReportModule makeExpenseItemListModule() {
    return {.init = PL_Init, .check = PL_Check, .print = PL_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
