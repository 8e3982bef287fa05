#include "reports/ledger.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/utf8_text.h"
#include "data/code_categories.h"
#include "data/keyed_access.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

#include <algorithm>
#include <array>

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
// ColPos slots of the receipts and the balance.
constexpr std::size_t ReceiptSlot = 4;
constexpr std::size_t BalanceSlot = 6;
constexpr std::int16_t SubjectCodeColumn = 40;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t SmallSize = 7;
constexpr const char* AmountPattern = "###,###,###,##0";

// A page holds entries up to line counter 34; the last page of a subject is ruled through line
// counter 36 with the totals and the balance carried forward below.
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

void lengthRule(const data::ProgramState& s, const std::string& text, std::int16_t box, std::int16_t& err) {
    MOTOCHO_CheckLength(s, text, box, err);
}

// The first fault of a box, told as the check tells it; the period boxes must make a real month
// and the others a number, since the print run selects by them.
void checkBox(ReportDialog& dialog, std::int16_t box, std::int16_t& FocusIndex, std::int16_t& Err) {
    const data::ProgramState& s = dialog.state();
    const LengthRule rule = [&s](const std::string& text, std::int16_t index, std::int16_t& err) {
        lengthRule(s, text, index, err);
    };
    if (isPeriodBox(box)) return CheckEraPeriod(dialog, box, PeriodLength, rule, "01", FocusIndex, Err);
    CheckNumberBox(dialog, box, rule, FocusIndex, Err);
}

struct LedgerRange {
    std::int32_t fromDate = 0, toDate = 0;
    std::int16_t fiscalMonth = 1;
    std::int64_t categoryFrom = 0, categoryTo = 0, codeFrom = 0, codeTo = 0;
};

// The boxes as the print run reads them; nothing when one of them cannot be used (the check tells why).
std::optional<LedgerRange> rangeOf(ReportDialog& dialog) {
    const data::ProgramState& s = dialog.state();
    const auto& control = s.F01Record;
    const auto from = EraPeriodDate(control, dialog.fieldText(PeriodBox), PeriodLength, "01");
    const auto to = EraPeriodDate(control, dialog.fieldText(PeriodBox + EndBoxOffset), PeriodLength, "01");
    const auto categoryFrom = RangeNumber(dialog.fieldText(CategoryBox));
    const auto categoryTo = RangeNumber(dialog.fieldText(CategoryBox + EndBoxOffset));
    const auto codeFrom = RangeNumber(dialog.fieldText(CodeBox));
    const auto codeTo = RangeNumber(dialog.fieldText(CodeBox + EndBoxOffset));
    if (!from || !to || !categoryFrom || !categoryTo || !codeFrom || !codeTo) return std::nullopt;
    return LedgerRange{.fromDate = *from,
                       .toDate = *to / 100 * 100 + 99,
                       .fiscalMonth = FiscalMonth(*from / 100 % 100, control.F01_STMM),
                       .categoryFrom = *categoryFrom,
                       .categoryTo = *categoryTo,
                       .codeFrom = *codeFrom,
                       .codeTo = *codeTo};
}

// Column numbers of the line query, found once per subject.
struct LineColumns {
    explicit LineColumns(const db::QueryRecordset& q)
        : ymd(q.columnIndex("F45_YMD")), dno(q.columnIndex("F45_DNO")), lin(q.columnIndex("F45_LIN")),
          srt(q.columnIndex("F45_SRT")), knd(q.columnIndex("F45_KND")), cus(q.columnIndex("F45_CUS")),
          tek(q.columnIndex("F45_TEK")), rmk(q.columnIndex("F45_RMK")), io(q.columnIndex("F45_IO")),
          amt(q.columnIndex("F45_AMT")) {}
    int ymd, dno, lin, srt, knd, cus, tek, rmk, io, amt;
};

// One subject's pages: its own page numbers, totals and running balance.
class LedgerSubjectRun {
public:
    LedgerSubjectRun(data::ProgramState& s, platform::Page& page, const LedgerRange& range)
        : s_(s), pages_(s, page), range_(range), opening_(openingBalance()) {}

    // True when the subject had lines in the period and its pages were printed.
    bool print() {
        auto lines = s_.MainDatabase->openSnapshot(LineQuery, {db::Value(static_cast<int>(subject().F21_KBN)),
                                                               db::Value(subject().F21_ACT), db::Value(range_.fromDate),
                                                               db::Value(range_.toDate)});
        if (!lines->eof()) {
            const LineColumns columns(*lines);
            for (; !lines->eof(); lines->moveNext())
                printLine(*lines, columns);
        }
        lines->close();
        if (pages_.pageNo() == 0) return false;
        pages_.fillEntries(LastEntryOffset);
        pages_.printTotalsAndCarryOut(pages_.nextEntryRow(), ReceiptSlot, receipts_, payments_, balance(),
                                      AmountPattern);
        pages_.page().newPage();
        return true;
    }

private:
    const data::F21Rec& subject() const { return s_.F21Record; }

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
        platform::Page& page = pages_.page();
        const std::int16_t r = pages_.beginEntry(PageBreakThreshold, [this] {
            printHeader();
            previousDate_ = 0;
        });
        const auto ymd = static_cast<std::int32_t>(row.field(c.ymd).asInt());

        if (ymd != previousDate_) PrintText(s_, page, s_.PageGeo[1], r, TextSize, EraDateText(s_.F01Record, ymd));
        PrintAt(page, VoucherColumn, r, TextSize, VoucherText(row.field(c.dno).asInt(), row.field(c.lin).asInt()));
        PrintText(s_, page, DescriptionColumn, r, SmallSize, DescriptionText(s_, row.field(c.tek).asText()));
        PrintText(s_, page, DetailColumn, r, SmallSize,
                  DetailText(s_, static_cast<std::int32_t>(row.field(c.srt).asInt())));

        const db::Currency amount = row.field(c.amt).asCurrency();
        if (row.field(c.io).asInt() == 0) {
            PrintAt(page, ReceiptColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            receipts_ += amount;
        } else {
            PrintAt(page, PaymentColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            payments_ += amount;
        }
        PrintAt(page, BalanceColumn, r, TextSize, common::FormatFix(balance(), AmountPattern));

        PrintText(s_, page, DescriptionColumn, r + 1, SmallSize, row.field(c.rmk).asText());
        PrintText(s_, page, DetailColumn, r + 1, SmallSize,
                  CounterpartText(s_, static_cast<std::int16_t>(row.field(c.knd).asInt()),
                                  static_cast<std::int32_t>(row.field(c.cus).asInt())));
        pages_.ruleEntry(r);
        previousDate_ = ymd;
    }

    // The subject's code and name stand where other reports put their title.
    void printHeader() {
        PrintAt(pages_.page(), SubjectCodeColumn, 2, 12,
                SubjectCategoryCode(s_, subject().F21_KBN) + "-" + common::FormatCode(subject().F21_ACT, 6, 6));
        pages_.printPageHeader(subject().F21_NAM.str(), Landscape);
        pages_.printBroughtForward(BalanceSlot, pages_.pageNo() == 1 ? common::FormatFix(opening_, AmountPattern) : "",
                                   {"日　付", "伝票No-行", "　　摘要　/　備考", "　　詳細　/　相手先", "　　入　金",
                                    "　　出　金", "　　繰　越"});
    }

    data::ProgramState& s_;
    PageRun pages_;
    const LedgerRange& range_;
    db::Currency opening_, receipts_, payments_;
    std::int32_t previousDate_ = 0;
};

} // namespace

void MOTOCHO_Init(ReportDialog& dialog) {
    SetUpEraPeriodRow(dialog, Title, "年号＋年月", PeriodLength);
    // The period runs from one month to another, both the processing month at first.
    dialog.setFieldText(PeriodBox + EndBoxOffset, dialog.fieldText(PeriodBox));
    const std::size_t digits = categoryDigits(dialog.state());
    SetUpRangeRow(dialog, CategoryBox, "科目区分", common::lastCharacters("000001", digits),
                  common::lastCharacters("999999", digits));
    SetUpRangeRow(dialog, CodeBox, "勘定科目", "000000", "999999");
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
    for (const std::int16_t box : CheckedBoxes) {
        checkBox(dialog, box, FocusIndex, Err);
        if (Err != 0) return;
    }
}

bool MOTOCHO_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(s, page, Landscape, RightColumn, BottomRow,
               {VoucherColumn, DescriptionColumn, DetailColumn, ReceiptColumn, PaymentColumn, BalanceColumn});
    const auto range = rangeOf(dialog);
    if (!range) {
        ShowCheckFault(dialog, MOTOCHO_Check);
        return false;
    }
    return PrintRows(
        s, SubjectQuery, {db::Value(range->categoryFrom), db::Value(range->categoryTo)},
        [&](const db::QueryRecordset& row) {
            const std::int64_t act = row.field("F21_ACT").asInt();
            if (act < range->codeFrom || act > range->codeTo) return false;
            // Into F21Record, where the page header and the line query find the subject.
            data::ReadRow(s.F21Record, row);
            return LedgerSubjectRun(s, page, *range).print();
        },
        [&page] { page.endDoc(); });
}

ReportModule makeLedgerModule() {
    return {
        .init = MOTOCHO_Init, .check = MOTOCHO_Check, .print = MOTOCHO_Print, .title = Title, .orientation = Landscape};
}

} // namespace reports
