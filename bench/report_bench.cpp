// Timings of the reports that read a whole period: the ledger of every subject over one year of the
// million-line data file (2025, about 100,000 lines) and the annual summary of that year, each laid out
// on a page that only counts what is drawn and rendered to PDF; beside them `ledger reg` printing the
// same lines from a text journal, when the ledger command is installed. Goals: laying out the year's
// ledger is faster than `ledger reg`, and the PDF costs under 2 ms a page.
#include "data/code_categories.h"
#include "data/control_row.h"
#include "large_data_file.h"
#include "platform/print/printer_page.h"
#include "platform/print/recording_page.h"
#include "reports/annual_summary.h"
#include "reports/ledger.h"
#include "reports/report_module.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

using namespace bench_support;

// 2025 in the era the large file's control row gives it (令和 7).
constexpr const char* FirstMonth = "50701";
constexpr const char* LastMonth = "50712";
constexpr const char* Year = "507";
constexpr std::int32_t YearFirstDate = 20250101;
constexpr std::int32_t YearLastDate = 20251299;
constexpr double PdfGoalMsPerPage = 2.0;
constexpr int Rounds = 3;

// The report dialog's boxes as plain values.
class Boxes : public reports::ReportDialog {
public:
    explicit Boxes(data::ProgramState& state) : s_(state) {}
    data::ProgramState& state() override { return s_; }
    std::string fieldText(int index) const override { return fields_.contains(index) ? fields_.at(index) : ""; }
    void setFieldText(int index, const std::string& text) override { fields_[index] = text; }
    std::string label(int) const override { return {}; }
    void setLabel(int, const std::string&) override {}

private:
    data::ProgramState& s_;
    std::map<int, std::string> fields_;
};

// A page that only counts what is drawn, and the sheets as the printer would begin them.
class CountingPage : public platform::Page {
public:
    void setPaperSize(int) override {}
    void setOrientation(int) override {}
    void setFontName(const std::string&) override {}
    void setFontSize(int) override {}
    void printText(int, int, const std::string& text, int) override {
        begin();
        ++texts;
        benchmark::DoNotOptimize(text.data());
    }
    void setPenWidth(int) override {}
    void drawLine(int, int, int, int) override {
        begin();
        ++lines;
    }
    void newPage() override { open_ = false; }
    void endDoc() override { open_ = false; }

    long texts = 0, lines = 0, sheets = 0;

private:
    void begin() {
        if (!open_) ++sheets;
        open_ = true;
    }
    bool open_ = false;
};

// An open copy of the large file, as the program holds it after opening, with the index the ledger
// reads its subjects' lines by (a file made before that index existed lacks it).
struct OpenCopy {
    OpenCopy() : path(largeFileCopy("report")) {
        state.MainDatabase = db::Database::open(path);
        state.MainDatabase->execute("CREATE INDEX IF NOT EXISTS F45ACTIX ON F45TB (F45_KBN, F45_ACT, F45_YMD, "
                                    "F45_DNO, F45_LIN)");
        state.openTables();
        std::int16_t status = 0;
        data::F01Access(state, "GET", status);
        state.F01Record.F01_STMM = 1;
        data::LoadCodeKbnTable(state);
        state.CreationDateText = "令和 7年12月31日";
        yearLines = state.MainDatabase
                        ->openSnapshot("SELECT COUNT(*) FROM F45TB WHERE F45_YMD >= ? AND F45_YMD <= ?",
                                       {YearFirstDate, YearLastDate})
                        ->field(0)
                        .asInt();
    }
    ~OpenCopy() {
        state.closeDatabase();
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    std::string path;
    data::ProgramState state;
    std::int64_t yearLines = 0;
};

OpenCopy& largeFile() {
    static OpenCopy file;
    return file;
}

void ledgerBoxes(Boxes& boxes) {
    reports::MOTOCHO_Init(boxes);
    boxes.setFieldText(0, FirstMonth);
    boxes.setFieldText(6, LastMonth);
}

void summaryBoxes(Boxes& boxes) {
    reports::GOUKEI_Init(boxes);
    boxes.setFieldText(0, Year);
}

using Print = bool (*)(reports::ReportDialog&, platform::Page&);

void countRates(benchmark::State& bench, double lines, double pages) {
    bench.counters["lines/s"] = benchmark::Counter(lines, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    bench.counters["pages"] = pages;
}

void laidOut(benchmark::State& bench, Print print, void (*fill)(Boxes&)) {
    auto& file = largeFile();
    Boxes boxes(file.state);
    fill(boxes);
    long sheets = 0;
    for (auto _ : bench) {
        CountingPage page;
        if (!print(boxes, page)) bench.SkipWithError("the report printed nothing");
        sheets = page.sheets;
    }
    countRates(bench, static_cast<double>(file.yearLines), static_cast<double>(sheets));
}

void toPdf(benchmark::State& bench, Print print, void (*fill)(Boxes&)) {
    auto& file = largeFile();
    Boxes boxes(file.state);
    fill(boxes);
    const std::string pdf = (fs::temp_directory_path() / "kemlora-bench" / "report-bench.pdf").string();
    int sheets = 0;
    for (auto _ : bench) {
        auto page = platform::PrinterPage::toPdf(pdf, "report bench");
        page->setFontName("ＭＳＰ ゴシック");
        if (!print(boxes, *page)) bench.SkipWithError("the report printed nothing");
        sheets = page->pagesPrinted();
        page.reset(); // the file is finished here, inside the timing
    }
    std::error_code ignored;
    fs::remove(pdf, ignored);
    countRates(bench, static_cast<double>(file.yearLines), sheets);
}

// The PDF alone: the report's pages, recorded once, drawn again onto a PDF page.
void recordedToPdf(benchmark::State& bench, Print print, void (*fill)(Boxes&)) {
    auto& file = largeFile();
    Boxes boxes(file.state);
    fill(boxes);
    platform::RecordingPage recorded;
    if (!print(boxes, recorded)) bench.SkipWithError("the report printed nothing");
    const std::string pdf = (fs::temp_directory_path() / "kemlora-bench" / "report-bench.pdf").string();
    int sheets = 0;
    for (auto _ : bench) {
        auto page = platform::PrinterPage::toPdf(pdf, "report bench");
        page->setPaperSize(recorded.paperSize());
        page->setOrientation(recorded.orientation());
        page->setFontName("ＭＳＰ ゴシック");
        for (const auto& sheet : recorded.pages()) {
            for (const auto& text : sheet.texts) {
                page->setFontSize(text.size);
                page->printText(text.x, text.y, text.text, text.room);
            }
            for (const auto& rule : sheet.rules) {
                page->setPenWidth(rule.width);
                page->drawLine(rule.x1, rule.y1, rule.x2, rule.y2);
            }
            page->newPage();
        }
        page->endDoc();
        sheets = page->pagesPrinted();
        page.reset();
    }
    std::error_code ignored;
    fs::remove(pdf, ignored);
    countRates(bench, static_cast<double>(file.yearLines), sheets);
}

void LedgerOfTheYearLaidOut(benchmark::State& bench) { laidOut(bench, reports::MOTOCHO_Print, ledgerBoxes); }
BENCHMARK(LedgerOfTheYearLaidOut)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

void AnnualSummaryLaidOut(benchmark::State& bench) { laidOut(bench, reports::GOUKEI_Print, summaryBoxes); }
BENCHMARK(AnnualSummaryLaidOut)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

void LedgerOfTheYearToPdf(benchmark::State& bench) { toPdf(bench, reports::MOTOCHO_Print, ledgerBoxes); }
BENCHMARK(LedgerOfTheYearToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

void AnnualSummaryToPdf(benchmark::State& bench) { toPdf(bench, reports::GOUKEI_Print, summaryBoxes); }
BENCHMARK(AnnualSummaryToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

void LedgerPagesDrawnToPdf(benchmark::State& bench) { recordedToPdf(bench, reports::MOTOCHO_Print, ledgerBoxes); }
BENCHMARK(LedgerPagesDrawnToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

void AnnualSummaryPagesDrawnToPdf(benchmark::State& bench) {
    recordedToPdf(bench, reports::GOUKEI_Print, summaryBoxes);
}
BENCHMARK(AnnualSummaryPagesDrawnToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(Rounds)
    ->UseRealTime();

// The year's lines as a ledger journal: one virtual posting a line to its subject's account, a receipt
// counted up and a payment down, so that `reg` prints one line for each with its running total.
std::string writeJournal(data::ProgramState& s) {
    const std::string path = (fs::temp_directory_path() / "kemlora-bench" / "year-2025.ledger").string();
    std::ofstream out(path);
    auto lines =
        s.MainDatabase->openSnapshot("SELECT F45_YMD, F45_DNO, F45_LIN, F45_KBN, F45_ACT, F45_IO, F45_AMT FROM F45TB "
                                     "WHERE F45_YMD >= ? AND F45_YMD <= ? ORDER BY F45_YMD, F45_DNO, F45_LIN",
                                     {YearFirstDate, YearLastDate});
    char buffer[160];
    for (; !lines->eof(); lines->moveNext()) {
        const auto ymd = lines->field(0).asInt();
        const auto amount = lines->field(6).asCurrency().toDouble();
        std::snprintf(buffer, sizeof buffer, "%04lld/%02lld/%02lld * %lld-%lld\n    (Subjects:%lld:%lld)  %.0f\n\n",
                      static_cast<long long>(ymd / 10000), static_cast<long long>(ymd / 100 % 100),
                      static_cast<long long>(ymd % 100), static_cast<long long>(lines->field(1).asInt()),
                      static_cast<long long>(lines->field(2).asInt()), static_cast<long long>(lines->field(3).asInt()),
                      static_cast<long long>(lines->field(4).asInt()), lines->field(5).asInt() == 0 ? amount : -amount);
        out << buffer;
    }
    return path;
}

void LedgerRegOfTheSameYear(benchmark::State& bench) {
    const QString ledger = QStandardPaths::findExecutable("ledger");
    if (ledger.isEmpty()) {
        bench.SkipWithError("the ledger command is not installed");
        for (auto _ : bench) {
        }
        return;
    }
    auto& file = largeFile();
    static const std::string journal = writeJournal(file.state); // written once, before any round
    const std::string command = "'" + ledger.toStdString() + "' -f '" + journal + "' reg > /dev/null";
    for (auto _ : bench) {
        if (std::system(command.c_str()) != 0) bench.SkipWithError("ledger reg failed");
    }
    countRates(bench, static_cast<double>(file.yearLines), 0);
}
BENCHMARK(LedgerRegOfTheSameYear)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(Rounds)->UseRealTime();

// The console report, keeping each benchmark's fastest round and its page count for the closing lines.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
            const std::string& name = run.run_name.function_name;
            const double ms = run.GetAdjustedRealTime();
            if (!fastest.contains(name) || ms < fastest[name]) fastest[name] = ms;
            if (const auto pages = run.counters.find("pages"); pages != run.counters.end())
                sheets[name] = pages->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> fastest; // milliseconds a round
    std::map<std::string, double> sheets;
};

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("Year 2025 of the large file: %lld voucher lines\n", static_cast<long long>(largeFile().yearLines));
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto& fastest = reporter.fastest;
    const auto perPage = [&](const std::string& name) {
        return reporter.sheets[name] > 0 ? fastest[name] / reporter.sheets[name] : 0.0;
    };
    std::printf("\nFastest rounds:\n");
    if (fastest.contains("LedgerOfTheYearLaidOut")) {
        std::printf("  ledger of the year laid out    %9.1f ms  (%.0f pages)\n", fastest["LedgerOfTheYearLaidOut"],
                    reporter.sheets["LedgerOfTheYearLaidOut"]);
        if (fastest.contains("LedgerRegOfTheSameYear"))
            std::printf("  ledger reg of the same lines   %9.1f ms  -> layout %s (ratio %.2f)\n",
                        fastest["LedgerRegOfTheSameYear"],
                        fastest["LedgerOfTheYearLaidOut"] < fastest["LedgerRegOfTheSameYear"] ? "FASTER: OK"
                                                                                              : "SLOWER: GOAL MISSED",
                        fastest["LedgerOfTheYearLaidOut"] / fastest["LedgerRegOfTheSameYear"]);
        else
            std::printf("  ledger reg: the ledger command is not installed\n");
    }
    // The whole run to PDF, and the PDF's own cost: the recorded pages drawn again onto a PDF page.
    for (const char* name : {"LedgerOfTheYearToPdf", "AnnualSummaryToPdf"})
        if (fastest.contains(name))
            std::printf("  %-30s %9.1f ms, %.0f pages, %.3f ms a page with the report's own work\n", name,
                        fastest[name], reporter.sheets[name], perPage(name));
    for (const char* name : {"LedgerPagesDrawnToPdf", "AnnualSummaryPagesDrawnToPdf"}) {
        if (!fastest.contains(name)) continue;
        const double ms = perPage(name);
        std::printf("  %-30s %9.1f ms, %.0f pages, %.3f ms a page for the PDF: %s\n", name, fastest[name],
                    reporter.sheets[name], ms, ms < PdfGoalMsPerPage ? "under 2 ms: OK" : "GOAL MISSED");
    }
    if (fastest.contains("AnnualSummaryLaidOut"))
        std::printf("  annual summary laid out        %9.1f ms  (%.0f pages)\n", fastest["AnnualSummaryLaidOut"],
                    reporter.sheets["AnnualSummaryLaidOut"]);
    return 0;
}
