#include "journal/closing_job.h"

#include "common/era_dates.h"
#include "common/formats.h"
#include "common/input_checks.h"
#include "journal/monthly_totals.h"
#include "journal/year_end.h"

namespace journal {

namespace {

constexpr ClosingJob MonthlyTotalsJob{MonthlyTotalsInit, MonthlyTotalsCheck, MonthlyTotalsRun};
constexpr ClosingJob YearEndJob{YearEndInit, YearEndCheck, YearEndRun};

// The period read as a number and written with `digits` digits; it holds digits only and no more of them.
std::string zeroFilled(const std::string& text, std::size_t digits) {
    return std::string(digits - text.size(), '0') + text;
}

bool digitsOnly(const std::string& text) {
    std::int16_t err = 0;
    common::CheckDigits(text, err);
    return err == 0;
}

} // namespace

const ClosingJob* ClosingJobFor(std::int16_t simeMode) {
    switch (simeMode) {
    case 1:
        return &MonthlyTotalsJob;
    case 2:
        return &YearEndJob;
    default:
        return nullptr;
    }
}

std::string CountText(std::int64_t count) { return common::FormatFix(count, "###,###,##0"); }

void ShowClosingJob(data::ProgramState& s, ClosingDialogView& view, const std::string& title,
                    const std::string& periodCaption, std::size_t digits) {
    std::string legend;
    common::EraHintText(s.F01Record, legend);
    view.setLabel1(16, title);
    view.setLabel1(0, periodCaption);
    view.setText1(0, DefaultEraPeriod(s.F01Record, digits));
    view.setLabel1(3, legend);
    view.setLabel1(10, "勘定科目テーブル");
    view.setLabel1(11, "伝票テーブル");
    view.setLabel1(12, "現金残高テーブル");
}

std::string DefaultEraPeriod(const data::F01Rec& control, std::size_t digits) {
    std::string text;
    std::string code;
    std::int16_t err = 0;
    common::DateToEra(control, control.F01_ACT, text, code, err);
    if (err != 0 || !common::EraCodeFits(code)) return "";
    return code.substr(0, digits);
}

std::int32_t EraPeriodDate(const data::F01Rec& control, const std::string& text, std::size_t digits,
                           const std::string& dayPart) {
    if (text.empty() || text.size() > digits || !digitsOnly(text)) return 0;
    const std::string period = zeroFilled(text, digits);
    const auto era = static_cast<std::int16_t>(period[0] - '0');
    std::string ymd;
    std::int16_t err = 0;
    common::EraToDate(control, era, period.substr(1) + dayPart, ymd, err);
    if (err != 0) return 0;
    return std::stoi(ymd);
}

void CheckEraPeriod(data::ProgramState& s, const std::string& text, std::size_t digits, LengthCheck lengthCheck,
                    const std::string& lengthMessage, const std::string& dayPart, std::int16_t& FocusIndex,
                    std::int16_t& Err) {
    Err = 0;
    const auto refuse = [&](const std::string& message) {
        s.message(message);
        FocusIndex = 0;
        Err = 9;
    };
    std::int16_t err = 0;
    lengthCheck(text, 0, err);
    // An empty field has no number to convert, so it is refused as a wrong length.
    if (err != 0 || text.empty()) return refuse(lengthMessage);
    if (!digitsOnly(text)) return refuse("入力結果が数字ではありません。");
    if (EraPeriodDate(s.F01Record, text, digits, dayPart) == 0) return refuse("日付の誤りです。");
}

void ReportRunFailure(data::ProgramState& s, const db::DbError& error) {
    if (s.MainDatabase && s.MainDatabase->inTransaction()) {
        try {
            s.MainDatabase->rollback();
        } catch (const db::DbError&) {
            // Nothing more can be undone from here; the report below still tells the user.
        }
    }
    s.message("Err.Number = " + db::ErrorReport(error));
}

RunOutcome RunInOneTransaction(data::ProgramState& s, const std::function<bool()>& phases,
                               const std::function<void()>& restore) {
    auto& database = *s.MainDatabase;
    try {
        database.beginTrans();
        if (phases()) {
            database.commitTrans();
            // Both jobs store the cash balance row.
            s.cashRowStored();
            return RunOutcome::Finished;
        }
        database.rollback();
    } catch (const db::DbError& error) {
        ReportRunFailure(s, error);
    } catch (...) {
        if (database.inTransaction()) database.rollback();
        throw;
    }
    restore();
    return RunOutcome::Failed;
}

} // namespace journal
