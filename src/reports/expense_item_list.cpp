#include "reports/expense_item_list.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "reports/era_period.h"
#include "reports/page_machinery.h"
#include "reports/report_texts.h"
#include "reports/voucher_line_cells.h"

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

const char* monthFault(const data::ProgramState& s, const std::string& text) {
    std::int16_t err = 0;
    common::PL_CheckLength(text, MonthBox, err);
    if (err != 0) return TooManyDigitsMessage;
    return EraPeriodFault(s.F01Record, text, MonthLength, "01");
}

class ExpenseItemListRun {
public:
    ExpenseItemListRun(data::ProgramState& s, platform::Page& page) : s_(s), page_(page) {}

    void printLine(const db::QueryRecordset& row) {
        if (columns_.ymd < 0) columns_ = Columns(row);
        const auto kbn = static_cast<std::int16_t>(row.field(columns_.kbn).asInt());
        const auto act = static_cast<std::int32_t>(row.field(columns_.act).asInt());
        if (changes(kbn, act) && pageNo_ > 0) printSubtotal();
        rowStep();
        const std::int16_t r = top() + lineCounter_;

        if (changes(kbn, act)) {
            PrintText(page_, s_.PageGeo[1], r, TextSize, SubjectCellText(s_, kbn, act));
            subjectIo_ = s_.F21Record.F21_IO;
        }
        const auto ymd = static_cast<std::int32_t>(row.field(columns_.ymd).asInt());
        PrintText(page_, DateColumn, r, TextSize, EraSlashDate(s_.F01Record, ymd));
        PrintAt(page_, VoucherColumn, r, TextSize,
                common::FormatFix(row.field(columns_.dno).asInt(), "#####0") + "-" +
                    common::FormatFix(row.field(columns_.lin).asInt(), "#0"));
        const db::Currency stored = row.field(columns_.amt).asCurrency();
        const db::Currency amount = row.field(columns_.io).asInt() != subjectIo_ ? -stored : stored;
        PrintAt(page_, AmountColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
        subjectTotal_ += amount;
        PrintText(page_, DetailColumn, r, SmallSize,
                  DetailCellText(s_, static_cast<std::int32_t>(row.field(columns_.srt).asInt()), 5));
        PrintText(page_, CounterpartColumn, r, SmallSize,
                  CounterpartCellText(s_, static_cast<std::int16_t>(row.field(columns_.knd).asInt()),
                                      static_cast<std::int32_t>(row.field(columns_.cus).asInt())));
        PrintText(page_, DescriptionColumn, r, SmallSize, DescriptionCellText(s_, row.field(columns_.tek).asText()));
        PrintText(page_, RemarkColumn, r, TextSize, row.field(columns_.rmk).asText());
        if (ruleAbove_) DrawRule(s_, page_, "Line", r, ThinRule);
        DrawRule(s_, page_, "Row", r, ThinRule);

        previousCategory_ = kbn;
        previousSubject_ = act;
        ruleAbove_ = false;
    }

    void finish() {
        printSubtotal();
        DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
        page_.newPage();
        page_.endDoc();
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

    std::int16_t top() const { return s_.PageGeo[2]; }
    bool changes(std::int16_t kbn, std::int32_t act) const {
        return kbn != previousCategory_ || act != previousSubject_;
    }

    // Every printed row takes one; a page header forgets the subject so that its cell shows again.
    void rowStep() {
        if (lineCounter_ > PageBreakThreshold) {
            DrawRule(s_, page_, "Line", top() + lineCounter_ + 1, HeavyRule);
            page_.newPage();
            lineCounter_ = 0;
        }
        if (lineCounter_ == 0) {
            printHeader();
            previousCategory_ = 0;
            previousSubject_ = 0;
        }
        ++lineCounter_;
    }

    void printHeader() {
        PrintPageHeader(s_, page_, Title, Landscape, pageNo_);
        DrawRule(s_, page_, "Line", top(), HeavyRule);
        PrintAt(page_, s_.PageGeo[1], top(), TextSize, "　　勘定科目");
        PrintAt(page_, DateColumn, top(), TextSize, "日　付");
        PrintAt(page_, VoucherColumn, top(), TextSize, "伝票NO-行");
        PrintAt(page_, AmountColumn, top(), TextSize, "　　金　額");
        PrintAt(page_, DetailColumn, top(), TextSize, "　　詳  細");
        PrintAt(page_, CounterpartColumn, top(), TextSize, "　　相手先");
        PrintAt(page_, DescriptionColumn, top(), TextSize, "　　摘  要");
        PrintAt(page_, RemarkColumn, top(), TextSize, "　　備  考");
        DrawRule(s_, page_, "Row", top(), ThinRule);
        ruleAbove_ = true;
    }

    // Two rows: a dash line, then the subject's total. Only one row is reserved, so a subtotal that
    // opens on the page's last row prints its total one row lower.
    void printSubtotal() {
        rowStep();
        const std::int16_t r = top() + lineCounter_;
        if (lineCounter_ == 1) DrawRule(s_, page_, "Line", r, ThinRule);
        PrintAt(page_, VoucherColumn, r, TextSize, std::string(25, '-'));
        DrawRule(s_, page_, "Row", r, ThinRule);
        PrintAt(page_, VoucherColumn, r + 1, TextSize, "　合　計");
        PrintAt(page_, AmountColumn, r + 1, TextSize, common::FormatFix(subjectTotal_, AmountPattern));
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
        subjectTotal_ = db::Currency();
        ++lineCounter_;
        ruleAbove_ = true;
    }

    data::ProgramState& s_;
    platform::Page& page_;
    Columns columns_;
    std::int16_t lineCounter_ = 0;
    std::int16_t pageNo_ = 0;
    std::int16_t previousCategory_ = 0;
    std::int32_t previousSubject_ = 0;
    std::int16_t subjectIo_ = 0;
    db::Currency subjectTotal_;
    bool ruleAbove_ = false;
};

} // namespace

void PL_Init(ReportDialog& dialog) {
    const data::F01Rec& control = dialog.state().F01Record;
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, control.F01_ACT, text, code, err);
    std::string legend;
    common::EraHintText(control, legend);

    dialog.setLabel(TitleLabel, Title);
    dialog.setLabel(PaperLabel, "A4 横");
    dialog.setLabel(MonthBox, "年号＋年月");
    dialog.setFieldText(MonthBox, err == 0 ? code.substr(0, MonthLength) : std::string());
    dialog.setFieldText(MonthBox + EndBoxOffset, "");
    dialog.setLabel(MonthBox + EndBoxOffset, legend);
}

void PL_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    data::ProgramState& s = dialog.state();
    if (const char* fault = monthFault(s, dialog.fieldText(MonthBox))) {
        s.message(fault);
        FocusIndex = MonthBox;
        Err = 9;
    }
}

bool PL_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    page.setPaperSize(9);
    page.setOrientation(Landscape);
    SetPageFrame(
        s, RightColumn, BottomRow,
        {DateColumn, VoucherColumn, AmountColumn, DetailColumn, CounterpartColumn, DescriptionColumn, RemarkColumn});
    const std::string month = dialog.fieldText(MonthBox);
    if (const char* fault = monthFault(s, month)) {
        s.message(fault);
        return false;
    }
    const std::int32_t fromDate = *EraPeriodFirstDay(s.F01Record, month, MonthLength, "01");
    const std::int32_t toDate = fromDate / 100 * 100 + 99;
    ExpenseItemListRun run(s, page);
    return PrintRows(
        s, Query, {db::Value(fromDate), db::Value(toDate)},
        [&run](const db::QueryRecordset& row) { run.printLine(row); }, [&run] { run.finish(); });
}

ReportModule makeExpenseItemListModule() {
    return {.init = PL_Init, .check = PL_Check, .print = PL_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
