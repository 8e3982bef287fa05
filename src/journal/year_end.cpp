#include "journal/year_end.h"

#include "common/era_dates.h"
#include "common/input_checks.h"
#include "data/cash_row.h"
#include "data/control_row.h"
#include "data/field_values.h"

#include <string>

namespace journal {

namespace {

using db::Currency;

constexpr std::size_t YearDigits = 3;

std::int64_t clearSubjects(data::ProgramState& s) {
    auto rows = s.MainDatabase->openDynaset("SELECT * FROM F21TB ORDER BY F21_KBN, F21_ACT, F21_SRT");
    std::int64_t count = 0;
    for (; !rows->eof(); rows->moveNext()) {
        rows->edit();
        rows->setField("F21_FIL", Currency());
        for (int m = 1; m <= 12; ++m)
            rows->setField(data::numberedField("F21_AMT_", m), Currency());
        rows->setField("F21_REM", Currency());
        rows->update();
        ++count;
    }
    return count;
}

std::int64_t deleteLines(data::ProgramState& s, std::int32_t endDate) {
    auto lines = s.MainDatabase->openDynaset(ClosedLinesQuery, {endDate});
    std::int64_t count = 0;
    for (; !lines->eof(); lines->moveNext()) {
        lines->deleteCurrent();
        ++count;
    }
    return count;
}

std::int64_t countLines(data::ProgramState& s, std::int32_t endDate) {
    auto count = s.MainDatabase->openSnapshot("SELECT COUNT(*) AS LineCount FROM F45TB WHERE F45_YMD <= ?", {endDate});
    return count->field(0).asInt();
}

// The new carried-forward balance is the old one plus the year's receipts less its payments, whatever
// the stored balances say; every month starts again from zero.
bool carryCashForward(data::ProgramState& s) {
    std::int16_t status = 0;
    data::F46Access(s, "GET", status);
    if (status != 0) return false;
    auto& r = s.F46Record;
    Currency result = r.F46_RM1;
    for (int m = 1; m <= 12; ++m)
        result += r.Amt[1][m] - r.Amt[2][m];
    r.F46_RM1 = result;
    r.F46_RM2 = Currency();
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            r.Amt[k][m] = Currency();
    data::F46Access(s, "PUT", status);
    return status == 0;
}

} // namespace

std::string YearEndQuestion(const data::F01Rec& control, std::int32_t endDate, std::int64_t lineCount) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, endDate, text, code, err);
    std::string date;
    if (err == 0) {
        date = control.F01_NENG[static_cast<std::size_t>(code[0] - '0')].trimmed() + text;
    } else {
        date = std::to_string(endDate / 10000) + "年12月31日";
    }
    std::string count = CountText(lineCount);
    count.erase(0, count.find_first_not_of(' '));
    return date + "までの伝票データ " + count + "件を削除し、年次〆を行います。よろしいですか。";
}

void YearEndInit(data::ProgramState& s, ClosingDialogView& view) {
    ShowClosingJob(s, view, "年次〆作業", "年号＋年度", YearDigits);
}

void YearEndCheck(data::ProgramState& s, ClosingDialogView& view, std::int16_t& FocusIndex, std::int16_t& Err) {
    CheckEraPeriod(s, view.text1(0), YearDigits, common::GOUKEI_CheckLength, "3桁で入力して下さい。", "0101",
                   FocusIndex, Err);
}

RunOutcome YearEndRun(data::ProgramState& s, ClosingDialogView& view) {
    const std::int32_t endDate = EraPeriodDate(s.F01Record, view.text1(0), YearDigits, "1231");
    if (endDate == 0) {
        s.message("日付の誤りです。");
        return RunOutcome::Failed;
    }
    std::int64_t doomed = 0;
    try {
        doomed = countLines(s, endDate);
    } catch (const db::DbError& error) {
        ReportRunFailure(s, error);
        return RunOutcome::Failed;
    }
    // Start proposes the processing date's year, so one press could delete the current year's lines.
    if (s.message(YearEndQuestion(s.F01Record, endDate, doomed), platform::Buttons::YesNo, true) !=
        platform::Answer::Yes)
        return RunOutcome::Declined;

    const data::F01Rec savedControl = s.F01Record;
    const data::F46Rec savedCash = s.F46Record;
    return RunInOneTransaction(
        s,
        [&] {
            view.setLabel3("勘定科目テーブルの集計結果を消去します。");
            view.setText1(10, CountText(clearSubjects(s)));

            view.setLabel3("本年度までの伝票データを消去します。");
            view.setText1(11, CountText(deleteLines(s, endDate)));

            view.setLabel3("現金残高表の集計結果を消去します。");
            if (!carryCashForward(s)) return false; // the row's own message has told the user
            view.setText1(12, CountText(1));
            // A typed day of 99 is stored as the real last day of its month.
            s.F01Record.F01_UPD = common::ResolveDay99(s.SimeDate);
            std::int16_t status = 0;
            data::F01Access(s, "PUT", status);
            return status == 0;
        },
        [&] {
            s.F01Record = savedControl;
            s.F46Record = savedCash;
        });
}

} // namespace journal
