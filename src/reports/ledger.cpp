#include "reports/ledger.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "data/field_values.h"
#include "reports/era_period.h"
#include "reports/page_machinery.h"
#include "reports/report_texts.h"
#include "reports/voucher_line_cells.h"

#include <algorithm>
#include <array>
#include <optional>

namespace reports {

namespace {

constexpr const char* Title = "元帳の作成";
constexpr int Landscape = 2;

constexpr std::int16_t PeriodBox = 0;
constexpr std::int16_t CategoryBox = 1;
constexpr std::int16_t CodeBox = 2;
constexpr std::array<std::int16_t, 6> CheckedBoxes{0, 1, 2, 6, 7, 8};
constexpr std::size_t PeriodLength = 5;
constexpr std::size_t CodeLength = 6;

constexpr std::int16_t RightColumn = 102;
constexpr std::int16_t BottomRow = 43;
constexpr std::int16_t VoucherColumn = 11;
constexpr std::int16_t DescriptionColumn = 18;
constexpr std::int16_t DetailColumn = 42;
constexpr std::int16_t ReceiptColumn = 66;
constexpr std::int16_t PaymentColumn = 78;
constexpr std::int16_t BalanceColumn = 90;
constexpr std::int16_t SubjectCodeColumn = 40;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t SmallSize = 7;
constexpr const char* AmountPattern = "###,###,###,##0";

// An entry takes two rows; a page holds entries up to line counter 34, and the last page of a subject
// is ruled through line counter 36 with the totals and the balance carried forward below.
constexpr std::int16_t RowsPerEntry = 2;
constexpr std::int16_t PageBreakThreshold = 32;
constexpr std::int16_t LastEntryOffset = 34;

constexpr const char* SubjectQuery = "SELECT * FROM F21TB WHERE (F21_SRT = 0)   AND (F21_KBN >= ?  AND  F21_KBN <= ?)"
                                     " ORDER BY F21_KBN, F21_ACT";
constexpr const char* LineQuery = "SELECT * FROM F45TB WHERE ( F45_KBN = ? AND F45_ACT = ?)"
                                  " AND ( F45_YMD >= ?  AND F45_YMD <= ?) ORDER BY F45_YMD, F45_DNO, F45_LIN";

// The digits of a subject category; a category without a digit count takes the six of a code.
std::size_t categoryDigits(const data::ProgramState& s) {
    const int digits = data::CodeDigits(s, 1);
    return digits < 1 ? CodeLength : static_cast<std::size_t>(std::min<int>(digits, CodeLength));
}

bool isPeriodBox(std::int16_t box) { return box == PeriodBox || box == PeriodBox + EndBoxOffset; }

// The first fault of a box, in the order the check tells it; nothing when the print run can use it.
const char* boxFault(const data::ProgramState& s, std::int16_t box, const std::string& text) {
    std::int16_t err = 0;
    MOTOCHO_CheckLength(s, text, box, err);
    if (err != 0) return TooManyDigitsMessage;
    common::CheckDigits(text, err);
    if (err != 0) return NotDigitsMessage;
    if (isPeriodBox(box)) return EraPeriodFault(s.F01Record, text, PeriodLength, "01");
    // An empty box gives no number to select by.
    if (text.empty()) return NotDigitsMessage;
    return nullptr;
}

std::int64_t numberIn(const std::string& text) { return std::stoll(text); }

struct LedgerRange {
    std::int32_t fromDate = 0, toDate = 0;
    int fiscalMonth = 1;
    std::int64_t categoryFrom = 0, categoryTo = 0, codeFrom = 0, codeTo = 0;
};

// The boxes as the print run reads them, once every box has passed.
LedgerRange rangeOf(const data::ProgramState& s, const ReportDialog& dialog) {
    const auto& control = s.F01Record;
    LedgerRange range;
    range.fromDate = *EraPeriodFirstDay(control, dialog.fieldText(PeriodBox), PeriodLength, "01");
    const std::int32_t endFirst =
        *EraPeriodFirstDay(control, dialog.fieldText(PeriodBox + EndBoxOffset), PeriodLength, "01");
    range.toDate = endFirst / 100 * 100 + 99;
    const int month = range.fromDate / 100 % 100;
    const int firstMonth = control.F01_STMM >= 1 && control.F01_STMM <= 12 ? control.F01_STMM : 1;
    range.fiscalMonth = month >= firstMonth ? month - firstMonth + 1 : month + 12 - firstMonth + 1;
    range.categoryFrom = numberIn(dialog.fieldText(CategoryBox));
    range.categoryTo = numberIn(dialog.fieldText(CategoryBox + EndBoxOffset));
    range.codeFrom = numberIn(dialog.fieldText(CodeBox));
    range.codeTo = numberIn(dialog.fieldText(CodeBox + EndBoxOffset));
    return range;
}

// Column numbers of the line query, found once per run.
struct LineColumns {
    explicit LineColumns(const db::QueryRecordset& q)
        : ymd(q.columnIndex("F45_YMD")), dno(q.columnIndex("F45_DNO")), lin(q.columnIndex("F45_LIN")),
          srt(q.columnIndex("F45_SRT")), knd(q.columnIndex("F45_KND")), cus(q.columnIndex("F45_CUS")),
          tek(q.columnIndex("F45_TEK")), rmk(q.columnIndex("F45_RMK")), io(q.columnIndex("F45_IO")),
          amt(q.columnIndex("F45_AMT")) {}
    int ymd, dno, lin, srt, knd, cus, tek, rmk, io, amt;
};

class LedgerRun {
public:
    LedgerRun(data::ProgramState& s, platform::Page& page, const LedgerRange& range)
        : s_(s), page_(page), range_(range) {}

    void printSubject(const db::QueryRecordset& row) {
        const std::int64_t act = row.field("F21_ACT").asInt();
        if (act < range_.codeFrom || act > range_.codeTo) return;
        copySubject(row);
        pageNo_ = 0;
        lineCounter_ = 0;
        receipts_ = payments_ = db::Currency();
        opening_ = openingBalance();

        auto lines = s_.MainDatabase->openSnapshot(LineQuery, {db::Value(static_cast<int>(s_.F21Record.F21_KBN)),
                                                               db::Value(s_.F21Record.F21_ACT),
                                                               db::Value(range_.fromDate), db::Value(range_.toDate)});
        if (!lines->eof()) {
            const LineColumns columns(*lines);
            for (; !lines->eof(); lines->moveNext())
                printLine(*lines, columns);
        }
        lines->close();
        if (pageNo_ == 0) return;
        finishSubject();
        page_.newPage();
        ++subjectsPrinted_;
    }

    int subjectsPrinted() const { return subjectsPrinted_; }

private:
    std::int16_t top() const { return s_.PageGeo[2]; }
    const data::F21Rec& subject() const { return s_.F21Record; }

    void copySubject(const db::QueryRecordset& row) {
        auto& r = s_.F21Record;
        data::assignValue(r.F21_KBN, row.field("F21_KBN"));
        data::assignValue(r.F21_ACT, row.field("F21_ACT"));
        data::assignValue(r.F21_SRTKBN, row.field("F21_SRTKBN"));
        data::assignValue(r.F21_SRT, row.field("F21_SRT"));
        data::assignValue(r.F21_NAM, row.field("F21_NAM"));
        data::assignValue(r.F21_IO, row.field("F21_IO"));
        data::assignValue(r.F21_CSH, row.field("F21_CSH"));
        data::assignValue(r.F21_FIL, row.field("F21_FIL"));
        for (int m = 1; m <= 12; ++m)
            data::assignValue(r.F21_AMT[static_cast<std::size_t>(m)], row.field(data::numberedField("F21_AMT_", m)));
        data::assignValue(r.F21_REM, row.field("F21_REM"));
        data::assignValue(r.F21_DUM, row.field("F21_DUM"));
    }

    // The balance before the period: the amount before fiscal month 1 and the figures of the fiscal
    // months before the start month, each a month's net movement in the subject's own direction.
    db::Currency openingBalance() const {
        db::Currency balance = subject().F21_FIL;
        for (int m = 1; m < range_.fiscalMonth; ++m)
            balance += subject().F21_AMT[static_cast<std::size_t>(m)];
        return balance;
    }

    // A line against the subject's direction still shows its stored amount in the column of its own
    // direction, so the balance moves the way the monthly totals count it.
    db::Currency balance() const {
        return subject().F21_IO == 0 ? opening_ + receipts_ - payments_ : opening_ + payments_ - receipts_;
    }

    void printLine(const db::QueryRecordset& row, const LineColumns& c) {
        if (lineCounter_ > PageBreakThreshold) closePage();
        if (lineCounter_ == 0) {
            printHeader();
            previousDate_ = 0;
        }
        lineCounter_ += RowsPerEntry;
        const std::int16_t r = top() + lineCounter_;
        const auto ymd = static_cast<std::int32_t>(row.field(c.ymd).asInt());

        if (ymd != previousDate_) PrintText(page_, s_.PageGeo[1], r, TextSize, EraSlashDate(s_.F01Record, ymd));
        PrintAt(page_, VoucherColumn, r, TextSize,
                common::FormatFix(row.field(c.dno).asInt(), "#####0") + "-" +
                    common::FormatFix(row.field(c.lin).asInt(), "#0"));
        PrintText(page_, DescriptionColumn, r, SmallSize, DescriptionCellText(s_, row.field(c.tek).asText()));
        PrintText(page_, DetailColumn, r, SmallSize,
                  DetailCellText(s_, static_cast<std::int32_t>(row.field(c.srt).asInt()), 6));

        const db::Currency amount = row.field(c.amt).asCurrency();
        if (row.field(c.io).asInt() == 0) {
            PrintAt(page_, ReceiptColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            receipts_ += amount;
        } else {
            PrintAt(page_, PaymentColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            payments_ += amount;
        }
        PrintAt(page_, BalanceColumn, r, TextSize, common::FormatFix(balance(), AmountPattern));
        DrawRule(s_, page_, "Line", r, lineCounter_ == RowsPerEntry ? HeavyRule : ThinRule);
        DrawRule(s_, page_, "Row", r, ThinRule);

        PrintText(page_, DescriptionColumn, r + 1, SmallSize, row.field(c.rmk).asText());
        PrintText(page_, DetailColumn, r + 1, SmallSize,
                  CounterpartCellText(s_, static_cast<std::int16_t>(row.field(c.knd).asInt()),
                                      static_cast<std::int32_t>(row.field(c.cus).asInt())));
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
        previousDate_ = ymd;
    }

    // The subject's code and name stand where other reports put their title.
    void printHeader() {
        PrintAt(page_, SubjectCodeColumn, 2, 12,
                common::FormatCode(subject().F21_KBN, 3, static_cast<std::int16_t>(data::CodeDigits(s_, 1))) + "-" +
                    common::FormatCode(subject().F21_ACT, 6, 6));
        PrintPageHeader(s_, page_, subject().F21_NAM.str(), Landscape, pageNo_);
        DrawRule(s_, page_, "Line", top(), HeavyRule);
        PrintAt(page_, s_.PageGeo[1], top(), TextSize, "前期繰越");
        if (pageNo_ == 1) PrintAt(page_, BalanceColumn, top(), TextSize, common::FormatFix(opening_, AmountPattern));
        DrawRule(s_, page_, "Row", top(), ThinRule);
        const std::int16_t heading = top() + 1;
        DrawRule(s_, page_, "Line", heading, HeavyRule);
        PrintAt(page_, s_.PageGeo[1], heading, TextSize, "日　付");
        PrintAt(page_, VoucherColumn, heading, TextSize, "伝票No-行");
        PrintAt(page_, DescriptionColumn, heading, TextSize, "　　摘要　/　備考");
        PrintAt(page_, DetailColumn, heading, TextSize, "　　詳細　/　相手先");
        PrintAt(page_, ReceiptColumn, heading, TextSize, "　　入　金");
        PrintAt(page_, PaymentColumn, heading, TextSize, "　　出　金");
        PrintAt(page_, BalanceColumn, heading, TextSize, "　　繰　越");
        DrawRule(s_, page_, "Row", heading, ThinRule);
    }

    // A ruled band without text closes a full page: totals stand only on the subject's last page.
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

    // Empty entries to the foot of the page, the totals and the balance carried forward.
    void finishSubject() {
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
        PrintAt(page_, s_.PageGeo[1], r, TextSize, "合　　計");
        PrintAt(page_, ReceiptColumn, r, TextSize, common::FormatFix(receipts_, AmountPattern));
        PrintAt(page_, PaymentColumn, r, TextSize, common::FormatFix(payments_, AmountPattern));
        DrawRule(s_, page_, "Row", r, ThinRule);
        DrawRule(s_, page_, "Line", r + 1, HeavyRule);
        PrintAt(page_, s_.PageGeo[1], r + 1, TextSize, "次期繰越");
        PrintAt(page_, BalanceColumn, r + 1, TextSize, common::FormatFix(balance(), AmountPattern));
        DrawRule(s_, page_, "Row", r + 1, ThinRule);
        DrawRule(s_, page_, "Line", r + 2, HeavyRule);
    }

    data::ProgramState& s_;
    platform::Page& page_;
    LedgerRange range_;
    std::int16_t lineCounter_ = 0;
    std::int16_t pageNo_ = 0;
    std::int32_t previousDate_ = 0;
    int subjectsPrinted_ = 0;
    db::Currency opening_, receipts_, payments_;
};

} // namespace

void MOTOCHO_Init(ReportDialog& dialog) {
    const data::ProgramState& s = dialog.state();
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(s.F01Record, s.F01Record.F01_ACT, text, code, err);
    std::string legend;
    common::EraHintText(s.F01Record, legend);
    const std::string period = err == 0 ? code.substr(0, PeriodLength) : std::string();
    const std::size_t digits = categoryDigits(s);

    dialog.setLabel(TitleLabel, Title);
    dialog.setLabel(PaperLabel, "A4 横");
    dialog.setLabel(PeriodBox, "年号＋年月");
    dialog.setFieldText(PeriodBox, period);
    dialog.setFieldText(PeriodBox + EndBoxOffset, period);
    dialog.setLabel(PeriodBox + EndBoxOffset, legend);
    dialog.setLabel(CategoryBox, "科目区分");
    dialog.setFieldText(CategoryBox, common::lastCharacters("000001", digits));
    dialog.setFieldText(CategoryBox + EndBoxOffset, common::lastCharacters("999999", digits));
    dialog.setLabel(CategoryBox + EndBoxOffset, "");
    dialog.setLabel(CodeBox, "勘定科目");
    dialog.setFieldText(CodeBox, "000000");
    dialog.setFieldText(CodeBox + EndBoxOffset, "999999");
    dialog.setLabel(CodeBox + EndBoxOffset, "");
}

void MOTOCHO_CheckLength(const data::ProgramState& s, const std::string& Text, std::int16_t Index, std::int16_t& Err) {
    const std::size_t length = common::characterCount(Text);
    Err = 0;
    if (isPeriodBox(Index)) {
        if (length > PeriodLength) Err = 9;
    } else if (Index == CategoryBox || Index == CategoryBox + EndBoxOffset) {
        if (length > categoryDigits(s)) Err = 9;
    } else if (Index == CodeBox || Index == CodeBox + EndBoxOffset) {
        if (length > CodeLength) Err = 9;
    }
}

void MOTOCHO_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    Err = 0;
    data::ProgramState& s = dialog.state();
    for (const std::int16_t box : CheckedBoxes) {
        if (const char* fault = boxFault(s, box, dialog.fieldText(box))) {
            s.message(fault);
            FocusIndex = box;
            Err = 9;
            return;
        }
    }
}

bool MOTOCHO_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    page.setPaperSize(9);
    page.setOrientation(Landscape);
    SetPageFrame(s, RightColumn, BottomRow,
                 {VoucherColumn, DescriptionColumn, DetailColumn, ReceiptColumn, PaymentColumn, BalanceColumn});
    for (const std::int16_t box : CheckedBoxes) {
        if (const char* fault = boxFault(s, box, dialog.fieldText(box))) {
            s.message(fault);
            return false;
        }
    }
    const LedgerRange range = rangeOf(s, dialog);
    LedgerRun run(s, page, range);
    const bool anySubject = PrintRows(
        s, SubjectQuery, {db::Value(range.categoryFrom), db::Value(range.categoryTo)},
        [&run](const db::QueryRecordset& row) { run.printSubject(row); }, [] {});
    if (!anySubject) return false;
    if (run.subjectsPrinted() < 1) {
        s.message(NoDataMessage);
        return false;
    }
    page.endDoc();
    return true;
}

ReportModule makeLedgerModule() {
    return {
        .init = MOTOCHO_Init, .check = MOTOCHO_Check, .print = MOTOCHO_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
