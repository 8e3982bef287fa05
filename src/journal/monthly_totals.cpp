#include "journal/monthly_totals.h"

#include "common/era_dates.h"
#include "common/input_checks.h"
#include "data/cash_lines.h"
#include "data/cash_row.h"
#include "data/field_values.h"
#include "data/keyed_access.h"

#include <array>
#include <set>
#include <string>

namespace journal {

namespace {

using db::Currency;
using MonthAmounts = std::array<Currency, 13>;

constexpr std::size_t PeriodDigits = 5;

const std::array<std::string, 13>& monthFields() {
    static const std::array<std::string, 13> names = [] {
        std::array<std::string, 13> list;
        for (int m = 1; m <= 12; ++m)
            list[m] = data::numberedField("F21_AMT_", m);
        return list;
    }();
    return names;
}

// Where a recordset over F21TB holds the fields the job reads, found once per run rather than by name per row.
struct SubjectColumns {
    std::array<int, 13> months{};
    int total = 0;
    int io = 0;
    template <class Recordset> explicit SubjectColumns(const Recordset& rows) {
        for (int m = 1; m <= 12; ++m)
            months[m] = rows.columnIndex(monthFields()[m]);
        total = rows.columnIndex("F21_REM");
        io = rows.columnIndex("F21_IO");
    }
};

template <class Recordset> MonthAmounts readMonths(const Recordset& row, const SubjectColumns& columns) {
    MonthAmounts months{};
    for (int m = 1; m <= 12; ++m)
        months[m] = row.field(columns.months[m]).asCurrency();
    return months;
}

Currency sumOf(const MonthAmounts& months) {
    Currency total;
    for (int m = 1; m <= 12; ++m)
        total += months[m];
    return total;
}

// A row's figure is its net movement in its own direction: receipts less payments for a receipt subject.
Currency netFigure(std::int16_t io, Currency receipts, Currency payments) {
    return io == 0 ? receipts - payments : payments - receipts;
}

struct LineKey {
    std::int16_t kbn = 0;
    std::int32_t act = 0;
    std::int32_t srt = 0;
    auto operator<=>(const LineKey&) const = default;
};

struct Sums {
    Currency receipts;
    Currency payments;
    void add(std::int16_t io, Currency amount) {
        if (io == 0)
            receipts += amount;
        else if (io == 1)
            payments += amount;
    }
};

struct LineColumns {
    int kbn, act, srt, io, amt;
    explicit LineColumns(const db::QueryRecordset& lines)
        : kbn(lines.columnIndex("F45_KBN")), act(lines.columnIndex("F45_ACT")), srt(lines.columnIndex("F45_SRT")),
          io(lines.columnIndex("F45_IO")), amt(lines.columnIndex("F45_AMT")) {}
    LineKey key(const db::QueryRecordset& lines) const {
        return {static_cast<std::int16_t>(lines.field(kbn).asInt()),
                static_cast<std::int32_t>(lines.field(act).asInt()),
                static_cast<std::int32_t>(lines.field(srt).asInt())};
    }
};

// Sets the month's figure of one subject or detail row, when the row exists.
void writeFigure(db::TableRecordset& subjects, const SubjectColumns& columns, const LineKey& key, std::int16_t slot,
                 const Sums& sums) {
    subjects.seek("=", {key.kbn, key.act, key.srt});
    if (subjects.noMatch()) return;
    MonthAmounts months = readMonths(subjects, columns);
    months[slot] =
        netFigure(static_cast<std::int16_t>(subjects.field(columns.io).asInt()), sums.receipts, sums.payments);
    subjects.edit();
    subjects.setField(columns.total, sumOf(months));
    subjects.setField(columns.months[slot], months[slot]);
    subjects.update();
}

// The rows the summing will write: each line's own row and its subject's own row.
std::set<LineKey> rowsMet(db::QueryRecordset& lines, const LineColumns& columns) {
    std::set<LineKey> met;
    for (; !lines.eof(); lines.moveNext()) {
        const LineKey key = columns.key(lines);
        met.insert(key);
        met.insert({key.kbn, key.act, 0});
    }
    return met;
}

// Clears the month of every row. A row the summing will write anyway, or one already clear, is left
// for that write: its figure and total come out the same with one write fewer.
std::int64_t clearMonth(data::ProgramState& s, std::int16_t slot, const std::set<LineKey>& met) {
    auto rows = s.MainDatabase->openDynaset("SELECT * FROM F21TB ORDER BY F21_KBN, F21_ACT, F21_SRT");
    const SubjectColumns columns(*rows);
    const int kbn = rows->columnIndex("F21_KBN");
    const int act = rows->columnIndex("F21_ACT");
    const int srt = rows->columnIndex("F21_SRT");
    const std::string& slotField = monthFields()[slot];
    std::int64_t count = 0;
    for (; !rows->eof(); rows->moveNext()) {
        ++count;
        const LineKey key{static_cast<std::int16_t>(rows->field(kbn).asInt()),
                          static_cast<std::int32_t>(rows->field(act).asInt()),
                          static_cast<std::int32_t>(rows->field(srt).asInt())};
        if (met.contains(key)) continue;
        MonthAmounts months = readMonths(*rows, columns);
        months[slot] = Currency();
        const Currency total = sumOf(months);
        if (months[slot] == rows->field(columns.months[slot]).asCurrency() &&
            total == rows->field(columns.total).asCurrency())
            continue;
        rows->edit();
        rows->setField("F21_REM", total);
        rows->setField(slotField, months[slot]);
        rows->update();
    }
    return count;
}

// The lines come sorted by subject and detail, so each figure is written once, when its run of lines ends.
std::int64_t sumLines(data::ProgramState& s, db::QueryRecordset& lines, const LineColumns& columns, std::int16_t slot) {
    if (!lines.empty()) lines.moveFirst();
    auto& subjects = *s.F21Table;
    const SubjectColumns subjectColumns(subjects);
    Sums detail;
    Sums subject;
    LineKey previous;
    std::int64_t count = 0;
    const auto closeDetail = [&] {
        writeFigure(subjects, subjectColumns, previous, slot, detail);
        subject.receipts += detail.receipts;
        subject.payments += detail.payments;
        detail = Sums();
    };
    const auto closeSubject = [&] {
        closeDetail();
        writeFigure(subjects, subjectColumns, {previous.kbn, previous.act, 0}, slot, subject);
        subject = Sums();
    };
    for (; !lines.eof(); lines.moveNext()) {
        const LineKey key = columns.key(lines);
        if (count > 0) {
            if (key.kbn != previous.kbn || key.act != previous.act)
                closeSubject();
            else if (key.srt != previous.srt)
                closeDetail();
        }
        detail.add(static_cast<std::int16_t>(lines.field(columns.io).asInt()), lines.field(columns.amt).asCurrency());
        previous = key;
        ++count;
    }
    if (count > 0) closeSubject();
    return count;
}

bool isCashKey(data::ProgramState& s, const LineKey& key) { return data::IsCashLine(s, key.kbn, key.act, key.srt); }

// Lines of one key follow one another, so each key is judged once.
Sums sumCash(data::ProgramState& s, db::QueryRecordset& lines) {
    Sums cash;
    if (lines.empty()) return cash;
    const LineColumns columns(lines);
    LineKey judged;
    bool cashKey = false;
    bool any = false;
    for (lines.moveFirst(); !lines.eof(); lines.moveNext()) {
        const LineKey key = columns.key(lines);
        if (!any || key != judged) {
            cashKey = isCashKey(s, key);
            judged = key;
            any = true;
        }
        if (cashKey)
            cash.add(static_cast<std::int16_t>(lines.field(columns.io).asInt()), lines.field(columns.amt).asCurrency());
    }
    return cash;
}

// Puts the month's cash into its slot and rebuilds every balance from the carried-forward one.
bool writeCash(data::ProgramState& s, std::int16_t slot, const Sums& cash) {
    std::int16_t status = 0;
    data::F46Access(s, "GET", status);
    if (status != 0) return false;
    auto& r = s.F46Record;
    r.Amt[1][slot] = cash.receipts;
    r.Amt[2][slot] = cash.payments;
    Currency balance = r.F46_RM1;
    for (int m = 1; m <= 12; ++m) {
        balance += r.Amt[1][m] - r.Amt[2][m];
        r.Amt[3][m] = balance;
    }
    r.F46_RM2 = balance;
    data::F46Access(s, "PUT", status);
    return status == 0;
}

} // namespace

std::int16_t FiscalMonthSlot(int month, int firstMonth) {
    // The modulo keeps the slot inside 1 to 12 even for a first month the control row should never hold.
    return static_cast<std::int16_t>(((month - firstMonth) % 12 + 12) % 12 + 1);
}

void MonthlyTotalsInit(data::ProgramState& s, ClosingDialogView& view) {
    ShowClosingJob(s, view, "月次集計　（月次〆）", "年号＋年月度", PeriodDigits);
}

void MonthlyTotalsCheck(data::ProgramState& s, ClosingDialogView& view, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(s, view.text1(0), PeriodDigits, common::PL_CheckLength, "5桁で入力して下さい。", "01", FocusIndex,
                   Err);
}

RunOutcome MonthlyTotalsRun(data::ProgramState& s, ClosingDialogView& view) {
    const std::int32_t firstDate = EraPeriodDate(s.F01Record, view.text1(0), PeriodDigits, "01");
    if (firstDate == 0) {
        s.message("日付の誤りです。");
        return RunOutcome::Failed;
    }
    // Day 99 is only a bound here: every day of the month lies between the two.
    const std::int32_t lastDate = firstDate / 100 * 100 + 99;
    const std::int16_t slot = FiscalMonthSlot(firstDate / 100 % 100, s.F01Record.F01_STMM);

    const data::F21Rec savedSubject = s.F21Record;
    const data::F46Rec savedCash = s.F46Record;
    return RunInOneTransaction(
        s,
        [&] {
            auto& database = *s.MainDatabase;
            view.setLabel3("勘定科目テーブルの当月度集計領域を消去します。");
            auto lines = database.openSnapshot(MonthLinesQuery, {firstDate, lastDate});
            const LineColumns columns(*lines);
            view.setText1(10, CountText(clearMonth(s, slot, rowsMet(*lines, columns))));

            view.setLabel3("伝票データを勘定科目ﾌｧｲﾙに集計します。 ");
            view.setText1(11, CountText(sumLines(s, *lines, columns, slot)));

            view.setLabel3("現金残高を計算します。");
            const Sums cash = sumCash(s, *lines);
            view.setText1(12, CountText(1));
            // On a refusal the cash row has told the user why; the subjects must not keep figures it lacks.
            return writeCash(s, slot, cash);
        },
        [&] {
            s.F21Record = savedSubject;
            s.F46Record = savedCash;
        });
}

} // namespace journal
