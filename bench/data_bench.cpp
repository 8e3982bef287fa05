// Timings of keyed reads, an index-order walk and bulk adding on a data file of a million voucher
// lines over ten years and 200 subjects (large_data_file.h). Rates are per second of elapsed time,
// so waits for the file and the commit count too.
#include "data/keyed_access.h"
#include "data/program_state.h"
#include "large_data_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

using namespace bench_support;

constexpr int AddedLines = 100'000;

struct OpenLargeFile {
    OpenLargeFile() : path(largeFileCopy()) {
        state.MainDatabase = db::Database::open(path);
        state.openTables();
    }
    ~OpenLargeFile() {
        state.closeDatabase();
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    std::string path;
    data::ProgramState state;
};

data::ProgramState& largeFile() {
    static OpenLargeFile file;
    return file.state;
}

void KeyedReadF45Access(benchmark::State& bench) {
    auto& s = largeFile();
    std::mt19937 random(7);
    std::int16_t status = 0;
    std::int64_t misses = 0;
    for (auto _ : bench) {
        const auto key = lineKey(static_cast<int>(random() % LineCount));
        s.F45Record.F45_YMD = key.ymd;
        s.F45Record.F45_DNO = key.dno;
        s.F45Record.F45_LIN = key.lin;
        data::F45Access(s, "GET", status);
        misses += status != 0;
        benchmark::DoNotOptimize(s.F45Record.F45_AMT);
    }
    if (misses != 0) bench.SkipWithError("a key of the large file was not found");
    bench.counters["reads/s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(KeyedReadF45Access)->Unit(benchmark::kMicrosecond)->UseRealTime();

void KeyedReadF21Access(benchmark::State& bench) {
    auto& s = largeFile();
    std::mt19937 random(11);
    std::int16_t status = 0;
    std::int64_t misses = 0;
    for (auto _ : bench) {
        const auto key = subjectKey(static_cast<int>(random() % SubjectCount));
        s.F21Record.F21_KBN = key.kbn;
        s.F21Record.F21_ACT = key.act;
        s.F21Record.F21_SRT = 0;
        data::F21Access(s, "GET", status);
        misses += status != 0;
        benchmark::DoNotOptimize(s.F21Record.F21_NAM);
    }
    if (misses != 0) bench.SkipWithError("a subject of the large file was not found");
    bench.counters["reads/s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(KeyedReadF21Access)->Unit(benchmark::kMicrosecond)->UseRealTime();

void KeyedLookF21Access(benchmark::State& bench) {
    auto& s = largeFile();
    std::mt19937 random(13);
    std::int16_t status = 0;
    for (auto _ : bench) {
        const auto key = subjectKey(static_cast<int>(random() % SubjectCount));
        s.F21Record.F21_KBN = key.kbn;
        s.F21Record.F21_ACT = key.act;
        s.F21Record.F21_SRT = 5; // no details: falls back to the subject
        data::F21Access(s, "LOOK", status);
        benchmark::DoNotOptimize(s.F21Record.F21_NAM);
    }
    bench.counters["reads/s"] =
        benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(KeyedLookF21Access)->Unit(benchmark::kMicrosecond)->UseRealTime();

void WalkF45TableInIndexOrder(benchmark::State& bench) {
    auto& table = *largeFile().F45Table;
    std::int64_t rows = 0;
    for (auto _ : bench) {
        for (table.moveFirst(); !table.eof(); table.moveNext())
            ++rows;
    }
    if (rows != static_cast<std::int64_t>(LineCount) * bench.iterations()) bench.SkipWithError("the walk missed rows");
    bench.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(WalkF45TableInIndexOrder)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void WalkF45TableReadingAmounts(benchmark::State& bench) {
    auto& table = *largeFile().F45Table;
    const int amount = table.columnIndex("F45_AMT");
    std::int64_t rows = 0;
    for (auto _ : bench) {
        for (table.moveFirst(); !table.eof(); table.moveNext()) {
            benchmark::DoNotOptimize(table.field(amount));
            ++rows;
        }
    }
    bench.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(WalkF45TableReadingAmounts)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Lines dated after the large file's last day, taken away again (untimed) after each round.
void AddLinesInOneTransaction(benchmark::State& bench) {
    auto& s = largeFile();
    auto& table = *s.F45Table;
    const std::string remark(30, ' ');
    std::int64_t rows = 0;
    for (auto _ : bench) {
        s.MainDatabase->beginTrans();
        for (int i = 0; i < AddedLines; ++i) {
            table.addNew();
            table.setField("F45_YMD", 20300101 + i / 1000);
            table.setField("F45_DNO", 2'000'000 + i);
            table.setField("F45_LIN", 1);
            table.setField("F45_KBN", 2);
            table.setField("F45_ACT", 1050);
            table.setField("F45_TEK", "000001");
            table.setField("F45_RMK", remark);
            table.setField("F45_IO", 1);
            table.setField("F45_AMT", db::Currency::fromWhole(i));
            table.update();
        }
        s.MainDatabase->commitTrans();
        rows += AddedLines;
        bench.PauseTiming();
        s.MainDatabase->execute("DELETE FROM F45TB WHERE F45_YMD >= ?", {20300101});
        bench.ResumeTiming();
    }
    bench.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(AddLinesInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    largeFile(); // make or copy the large file before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
