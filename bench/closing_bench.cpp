// Timings of the two closing jobs on the million-line data file, beside the least work the monthly
// totals could do: one query summing the month's lines by subject, detail and direction. The
// monthly totals must stay within three times that query; the program says so and fails otherwise.
#include "data/control_row.h"
#include "journal/monthly_totals.h"
#include "journal/year_end.h"
#include "large_data_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

using namespace bench_support;

// June 2025 (era 5, year 7), 8,216 lines; 2016 (era 4, year 28) is the file's oldest year.
constexpr const char* Month = "50706";
constexpr std::int32_t MonthFirstDate = 20250601;
constexpr std::int32_t MonthLastDate = 20250699;
constexpr const char* OldestYear = "428";
constexpr double AllowedRatio = 3.0;
// Other work on the machine only ever slows a round down, so the ratio is taken over each side's
// fastest round; the medians are shown beside it.
constexpr int Rounds = 7;

const char* const MonthSumsQuery = "SELECT F45_KBN, F45_ACT, F45_SRT, F45_IO, SUM(F45_AMT) FROM F45TB "
                                   "WHERE F45_YMD >= ? AND F45_YMD <= ? GROUP BY F45_KBN, F45_ACT, F45_SRT, F45_IO";

class QuietDialog : public journal::ClosingDialogView {
public:
    explicit QuietDialog(std::string typed) : typed_(std::move(typed)) {}
    void setLabel1(int, const std::string&) override {}
    std::string text1(int index) const override { return index == 0 ? typed_ : std::string(); }
    void setText1(int index, const std::string& text) override { counts[index] = text; }
    void setLabel3(const std::string&) override {}
    std::map<int, std::string> counts;

private:
    std::string typed_;
};

// An open copy of the large file with its control row read, as the program holds it after opening.
struct OpenCopy {
    explicit OpenCopy(const std::string& name) : path(largeFileCopy(name)) {
        state.MainDatabase = db::Database::open(path);
        state.openTables();
        std::int16_t status = 0;
        data::F01Access(state, "GET", status);
    }
    ~OpenCopy() {
        state.closeDatabase();
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    std::string path;
    data::ProgramState state;
};

// Running a month again gives the same figures, so one copy serves every round.
data::ProgramState& monthFile() {
    static OpenCopy file("closing-month");
    return file.state;
}

double countOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits.empty() ? 0 : std::stod(digits);
}

void MonthlyTotalsOfOneMonth(benchmark::State& bench) {
    auto& s = monthFile();
    QuietDialog dialog(Month);
    for (auto _ : bench) {
        if (journal::MonthlyTotalsRun(s, dialog) != journal::RunOutcome::Finished)
            bench.SkipWithError("the monthly totals did not finish");
    }
    bench.counters["lines"] = countOf(dialog.counts[11]);
}
BENCHMARK(MonthlyTotalsOfOneMonth)->Unit(benchmark::kMillisecond)->Repetitions(Rounds);

void MonthQuerySummingLines(benchmark::State& bench) {
    auto& s = monthFile();
    double groups = 0;
    for (auto _ : bench) {
        auto sums = s.MainDatabase->openSnapshot(MonthSumsQuery, {MonthFirstDate, MonthLastDate});
        groups = 0;
        for (; !sums->eof(); sums->moveNext()) {
            benchmark::DoNotOptimize(sums->field(4));
            ++groups;
        }
    }
    bench.counters["groups"] = groups;
}
BENCHMARK(MonthQuerySummingLines)->Unit(benchmark::kMillisecond)->Repetitions(Rounds);

// Each round closes the oldest year of a fresh copy; copying and opening are not timed.
void YearEndOfOneYear(benchmark::State& bench) {
    double deleted = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto file = std::make_unique<OpenCopy>("closing-year");
        file->state.SimeDate = 20170110;
        QuietDialog dialog(OldestYear);
        bench.ResumeTiming();
        if (journal::YearEndRun(file->state, dialog) != journal::RunOutcome::Finished)
            bench.SkipWithError("the year-end closing did not finish");
        bench.PauseTiming();
        deleted = countOf(dialog.counts[11]);
        file.reset();
        bench.ResumeTiming();
    }
    bench.counters["deleted"] = deleted;
}
BENCHMARK(YearEndOfOneYear)->Unit(benchmark::kMillisecond)->Iterations(3);

// The console report of each benchmark's aggregates, keeping its fastest and median round for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const auto& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") median[name] = run.GetAdjustedRealTime();
                shown.push_back(run);
            } else if (!run.error_occurred && run.iterations > 0) {
                const double ms = run.GetAdjustedRealTime();
                if (!fastest.contains(name) || ms < fastest[name]) fastest[name] = ms;
                if (run.repetitions <= 1) shown.push_back(run);
            }
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }
    std::map<std::string, double> fastest; // milliseconds a round
    std::map<std::string, double> median;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    monthFile(); // make or copy the large file before any timing starts
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::string totals = "MonthlyTotalsOfOneMonth";
    const std::string query = "MonthQuerySummingLines";
    if (!reporter.fastest.contains(totals) || !reporter.fastest.contains(query)) return 0;
    const double ratio = reporter.fastest[totals] / reporter.fastest[query];
    std::printf("\nMonthly totals of one month %.2f ms, the month's summing query %.2f ms (fastest rounds): "
                "ratio %.2f, allowed %.1f: %s\n",
                reporter.fastest[totals], reporter.fastest[query], ratio, AllowedRatio,
                ratio <= AllowedRatio ? "OK" : "TOO SLOW");
    if (reporter.median.contains(totals) && reporter.median.contains(query))
        std::printf("Medians: %.2f ms and %.2f ms, ratio %.2f\n", reporter.median[totals], reporter.median[query],
                    reporter.median[totals] / reporter.median[query]);
    return ratio <= AllowedRatio ? 0 : 1;
}
