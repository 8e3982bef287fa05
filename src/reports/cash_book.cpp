#include "reports/cash_book.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "data/cash_lines.h"
#include "data/cash_row.h"
#include "reports/page_machinery.h"
#include "reports/report_steps.h"
#include "reports/report_texts.h"

namespace reports {

namespace {

constexpr const char* Title = "現金出納簿";
constexpr int Landscape = 2;
constexpr std::int16_t MonthBox = 0;
constexpr std::size_t MonthLength = 5;
constexpr const char* AmountPattern = "###,###,##0";

constexpr std::int16_t RightColumn = 110;
constexpr std::int16_t BottomRow = 43;
constexpr std::int16_t VoucherColumn = 11;
constexpr std::int16_t SubjectColumn = 18;
constexpr std::int16_t DescriptionColumn = 42;
constexpr std::int16_t DetailColumn = 64;
constexpr std::int16_t ReceiptsColumn = 86;
constexpr std::int16_t PaymentsColumn = 94;
constexpr std::int16_t BalanceColumn = 102;
// ColPos indexes of the amount columns.
constexpr std::size_t ReceiptsSlot = 5;
constexpr std::size_t BalanceSlot = 7;
constexpr std::int16_t TextSize = 9;
constexpr std::int16_t SmallSize = 7;

// A page holds entries up to line counter 34; the last page is ruled through 36 with the totals below.
constexpr std::int16_t PageBreakThreshold = 32;
constexpr std::int16_t LastEntryOffset = 34;

constexpr const char* Query =
    "SELECT * FROM F45TB WHERE F45_YMD >= ?  AND F45_YMD <= ? ORDER BY F45_YMD, F45_DNO, F45_LIN";

class CashBookRun {
public:
    CashBookRun(data::ProgramState& s, platform::Page& page, db::Currency opening)
        : s_(s), page_(page), pages_(s, page), opening_(opening) {}

    // Lines that move no cash are passed over: nothing printed, nothing summed.
    bool printLine(const db::QueryRecordset& row) {
        const auto category = static_cast<std::int16_t>(row.field("F45_KBN").asInt());
        const auto subject = static_cast<std::int32_t>(row.field("F45_ACT").asInt());
        const auto detail = static_cast<std::int32_t>(row.field("F45_SRT").asInt());
        if (!data::IsCashLine(s_, category, subject, detail)) return false;

        const std::int16_t r = pages_.beginEntry(PageBreakThreshold, [this] { printHeader(); });
        const auto date = static_cast<std::int32_t>(row.field("F45_YMD").asInt());
        if (date != previousDate_) PrintText(s_, page_, s_.PageGeo[1], r, TextSize, EraDateText(s_.F01Record, date));
        PrintAt(page_, VoucherColumn, r, TextSize,
                VoucherText(row.field("F45_DNO").asInt(), row.field("F45_LIN").asInt()));
        PrintText(s_, page_, SubjectColumn, r, TextSize, SubjectText(s_, category, subject));
        PrintText(s_, page_, DescriptionColumn, r, SmallSize, DescriptionText(s_, row.field("F45_TEK").asText()));
        PrintText(s_, page_, DetailColumn, r, SmallSize, DetailText(s_, detail));

        // Cash moves by the line's own direction, whatever its subject's: the amount stands as stored
        // in that column, so the balance agrees with the one the monthly totals store.
        const db::Currency amount = row.field("F45_AMT").asCurrency();
        if (row.field("F45_IO").asInt() == 0) {
            PrintAt(page_, ReceiptsColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            receipts_ += amount;
        } else {
            PrintAt(page_, PaymentsColumn, r, TextSize, common::FormatFix(amount, AmountPattern));
            payments_ += amount;
        }
        PrintAt(page_, BalanceColumn, r, TextSize, common::FormatFix(balance(), AmountPattern));

        PrintText(s_, page_, DescriptionColumn, r + 1, SmallSize, row.field("F45_RMK").asText());
        PrintText(s_, page_, DetailColumn, r + 1, SmallSize,
                  CounterpartText(s_, static_cast<std::int16_t>(row.field("F45_KND").asInt()),
                                  static_cast<std::int32_t>(row.field("F45_CUS").asInt())));
        pages_.ruleEntry(r);
        previousDate_ = date;
        return true;
    }

    // Empty entries to the foot of the last page, the totals and the balance carried out.
    void finish() {
        pages_.fillEntries(LastEntryOffset);
        pages_.printTotalsAndCarryOut(pages_.nextEntryRow(), ReceiptsSlot, receipts_, payments_, balance(),
                                      AmountPattern);
        page_.newPage();
        page_.endDoc();
    }

private:
    db::Currency balance() const { return opening_ + receipts_ - payments_; }

    void printHeader() {
        pages_.printPageHeader(Title, Landscape);
        // Only the first page states the balance brought forward.
        pages_.printBroughtForward(BalanceSlot, pages_.pageNo() == 1 ? common::FormatFix(opening_, AmountPattern) : "",
                                   {"日　付", "伝票No-行", "　　勘定科目", "　　摘要　/　備考", "　　詳細　/　相手先",
                                    "　　入　金", "　　出　金", "　　繰　越"});
        previousDate_ = 0;
    }

    data::ProgramState& s_;
    platform::Page& page_;
    PageRun pages_;
    db::Currency opening_;
    db::Currency receipts_;
    db::Currency payments_;
    std::int32_t previousDate_ = 0;
};

// The cash carried into fiscal month `month`: the year's carried-forward balance for the first month,
// else the balance after the month before.
db::Currency openingBalance(const data::F46Rec& cash, std::int16_t month) {
    return month < 2 ? cash.F46_RM1 : cash.Amt[3][static_cast<std::size_t>(month - 1)];
}

} // namespace

void CASHBOOK_Init(ReportDialog& dialog) { SetUpEraPeriodRow(dialog, Title, "年号＋年月", MonthLength); }

void CASHBOOK_Check(ReportDialog& dialog, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(dialog, MonthBox, MonthLength, common::PL_CheckLength, "01", FocusIndex, Err);
}

bool CASHBOOK_Print(ReportDialog& dialog, platform::Page& page) {
    data::ProgramState& s = dialog.state();
    StartPages(
        s, page, Landscape, RightColumn, BottomRow,
        {VoucherColumn, SubjectColumn, DescriptionColumn, DetailColumn, ReceiptsColumn, PaymentsColumn, BalanceColumn});

    const auto firstDay = EraPeriodDate(s.F01Record, dialog.fieldText(MonthBox), MonthLength, "01");
    if (!firstDay) {
        s.message(BadDateMessage);
        return false;
    }
    std::int16_t status = 0;
    data::F46Access(s, "GET", status);
    // The cash row has told the user why it could not be read; no balance can be carried without it.
    if (status != 0) return false;
    const db::Currency opening = openingBalance(s.F46Record, FiscalMonth(*firstDay / 100 % 100, s.F01Record.F01_STMM));

    // Day 99 is only a bound here: every day of the month lies between the two.
    const std::int32_t lastDay = *firstDay / 100 * 100 + 99;
    CashBookRun run(s, page, opening);
    return PrintRows(
        s, Query, {db::Value(static_cast<std::int64_t>(*firstDay)), db::Value(static_cast<std::int64_t>(lastDay))},
        [&run](const db::QueryRecordset& row) { return run.printLine(row); }, [&run] { run.finish(); });
}

ReportModule makeCashBookModule() {
    return {.init = CASHBOOK_Init,
            .check = CASHBOOK_Check,
            .print = CASHBOOK_Print,
            .title = Title,
            .orientation = Landscape};
}

} // namespace reports
