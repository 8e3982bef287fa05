// How the closing dialog and its two jobs meet: the dialog owns the window and calls a job's
// set-up, check and run; the job fills the dialog's captions, reads its parameter field and writes
// its phase texts and counts through ClosingDialogView.
#pragma once

#include "data/program_state.h"
#include "platform/db/db_error.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace journal {

// The parts of the closing dialog a job reads and writes, by the dialog's control indexes.
class ClosingDialogView {
public:
    virtual ~ClosingDialogView() = default;
    // Label1(16) title, Label1(0) caption of the parameter, Label1(3) its era legend, Label1(10..12) table names.
    virtual void setLabel1(int index, const std::string& caption) = 0;
    // Text1(0): the period or year the user typed.
    virtual std::string text1(int index) const = 0;
    // Text1(0) its default value; Text1(10..12) the counts of the tables the run touched.
    virtual void setText1(int index, const std::string& text) = 0;
    // Label3: the phase text. A run holds the interface, so the dialog should repaint it at once.
    virtual void setLabel3(const std::string& text) = 0;
};

// Only Finished earns the dialog's "作業が終了しました。": Declined means the user said No and
// nothing changed; Failed means the user has been told and the data file is as it was.
enum class RunOutcome { Finished, Declined, Failed };

using ClosingInit = void (*)(data::ProgramState& s, ClosingDialogView& view);
using ClosingCheck = void (*)(data::ProgramState& s, ClosingDialogView& view, std::int16_t& FocusIndex,
                              std::int16_t& Err);
using ClosingRun = RunOutcome (*)(data::ProgramState& s, ClosingDialogView& view);

struct ClosingJob {
    ClosingInit init;
    ClosingCheck check;
    ClosingRun run;
};

// The job of SimeMode 1 (monthly totals) or 2 (year-end closing); nullptr for any other value.
const ClosingJob* ClosingJobFor(std::int16_t simeMode);

// A count as the dialog shows it: right-aligned in eleven characters with thousands separators.
std::string CountText(std::int64_t count);

// Shared by the two jobs.

// A job's set-up: its title (Label1(16)), the period's caption (Label1(0)), the proposed period of
// `digits` characters (Text1(0)), the era legend (Label1(3)) and the three tables both jobs touch (Label1(10..12)).
void ShowClosingJob(data::ProgramState& s, ClosingDialogView& view, const std::string& title,
                    const std::string& periodCaption, std::size_t digits);

// The era period a job proposes: the first `digits` characters of the processing date's era code.
std::string DefaultEraPeriod(const data::F01Rec& control, std::size_t digits);

// Checks the era period in Text1(0): not empty and at most `digits` characters by `lengthCheck` (else `lengthMessage`),
// digits only, and, zero-filled to `digits`, an era number and year (and month) that with `dayPart`
// make a real date. Refusals show their message and set FocusIndex 0 and Err 9.
using LengthCheck = void (*)(const std::string& text, std::int16_t index, std::int16_t& err);
void CheckEraPeriod(data::ProgramState& s, const std::string& text, std::size_t digits, LengthCheck lengthCheck,
                    const std::string& lengthMessage, const std::string& dayPart, std::int16_t& FocusIndex,
                    std::int16_t& Err);

// The period zero-filled to `digits`, its era number and its date with `dayPart`, yyyymmdd; 0 when
// the text does not make a real date.
std::int32_t EraPeriodDate(const data::F01Rec& control, const std::string& text, std::size_t digits,
                           const std::string& dayPart);

// Rolls back the open transaction of a failed run and tells the user the error's number and description.
void ReportRunFailure(data::ProgramState& s, const db::DbError& error);

// Runs a job's phases in one transaction, so that a run either finishes or leaves the file as it was:
// commits when `phases` returns true; when it returns false (the user has been told why) or a database
// failure is raised (reported here), rolls back and lets `restore` put back the buffers it changed.
RunOutcome RunInOneTransaction(data::ProgramState& s, const std::function<bool()>& phases,
                               const std::function<void()>& restore);

} // namespace journal
