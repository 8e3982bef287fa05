// Timings of keyed reads, an index-order walk and bulk adding on a data file of a million voucher
// lines over ten years and 200 subjects. The large file is made once and kept in the temp folder.
#include "data/keyed_access.h"
#include "data/program_state.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int LineCount = 1'000'000;
constexpr int LinesPerVoucher = 4;
constexpr int VoucherCount = LineCount / LinesPerVoucher;
constexpr int DayCount = 3652; // 2016-01-01 to 2025-12-31
constexpr int SubjectCount = 200;
constexpr int AddedLines = 100'000;

std::string templatePath() {
    if (const char *path = std::getenv("KEMLORA_TEMPLATE")) return path;
    return KEMLORA_TEMPLATE_PATH;
}

std::int32_t dateOfDay(int day) {
    static const auto first = std::chrono::sys_days(std::chrono::year(2016) / 1 / 1);
    const std::chrono::year_month_day date(first + std::chrono::days(day));
    return static_cast<int>(date.year()) * 10000 + static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
           static_cast<int>(static_cast<unsigned>(date.day()));
}

// The key of line i of the large file: vouchers numbered 1 up, spread evenly over the ten years.
struct LineKey {
    std::int32_t ymd, dno;
    std::int16_t lin;
};
LineKey lineKey(int i) {
    const int voucher = i / LinesPerVoucher;
    return {dateOfDay(static_cast<int>(static_cast<std::int64_t>(voucher) * DayCount / VoucherCount)), voucher + 1,
            static_cast<std::int16_t>(i % LinesPerVoucher + 1)};
}

struct SubjectKey {
    std::int16_t kbn;
    std::int32_t act;
};
SubjectKey subjectKey(int j) { return {static_cast<std::int16_t>(1 + j / 50), 1000 + j}; }

std::string padded(const std::string &text, std::size_t width) { return text + std::string(width - text.size(), ' '); }

void check(sqlite3 *handle, int code) {
    if (code != SQLITE_OK && code != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(handle));
}

// Fills a copy of the template straight through SQLite: one transaction, one prepared statement per table.
void buildLargeFile(const std::string &path) {
    sqlite3 *handle = nullptr;
    check(handle, sqlite3_open(path.c_str(), &handle));
    check(handle, sqlite3_exec(handle,
                               "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
                               "DELETE FROM F45TB; DELETE FROM F21TB;",
                               nullptr, nullptr, nullptr));
    sqlite3_stmt *subject = nullptr;
    check(handle, sqlite3_prepare_v2(handle,
                                     "INSERT INTO F21TB (F21_KBN, F21_ACT, F21_SRTKBN, F21_SRT, F21_NAM, F21_IO, "
                                     "F21_CSH, F21_DUM) VALUES (?, ?, 3, 0, ?, ?, ?, ?)",
                                     -1, &subject, nullptr));
    const std::string blanks15(15, ' ');
    for (int j = 0; j < SubjectCount; ++j) {
        const auto key = subjectKey(j);
        const std::string name = padded("科目" + std::to_string(j), 30 + 4); // two 3-byte characters
        sqlite3_bind_int(subject, 1, key.kbn);
        sqlite3_bind_int(subject, 2, key.act);
        sqlite3_bind_text(subject, 3, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(subject, 4, j % 2);
        sqlite3_bind_int(subject, 5, j % 3 == 0 ? 0 : 1);
        sqlite3_bind_text(subject, 6, blanks15.c_str(), -1, SQLITE_STATIC);
        check(handle, sqlite3_step(subject));
        sqlite3_reset(subject);
    }
    sqlite3_finalize(subject);

    sqlite3_stmt *line = nullptr;
    check(handle, sqlite3_prepare_v2(handle, "INSERT INTO F45TB VALUES (?, ?, ?, ?, ?, 0, 0, 0, ?, ?, ?, ?, ?)", -1,
                                     &line, nullptr));
    std::mt19937 random(42);
    const std::string remark = padded("ベンチマーク用の行", 30 + 18);
    for (int i = 0; i < LineCount; ++i) {
        const auto key = lineKey(i);
        const auto subjectOf = subjectKey(static_cast<int>(random() % SubjectCount));
        const std::string tek = "00000" + std::to_string(1 + i % 6);
        sqlite3_bind_int(line, 1, key.ymd);
        sqlite3_bind_int(line, 2, key.dno);
        sqlite3_bind_int(line, 3, key.lin);
        sqlite3_bind_int(line, 4, subjectOf.kbn);
        sqlite3_bind_int(line, 5, subjectOf.act);
        sqlite3_bind_text(line, 6, tek.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(line, 7, remark.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int(line, 8, static_cast<int>(random() % 2));
        sqlite3_bind_int64(line, 9, static_cast<sqlite3_int64>(random() % 1'000'000) * 10000); // ten-thousandths
        sqlite3_bind_text(line, 10, blanks15.c_str(), -1, SQLITE_STATIC);
        check(handle, sqlite3_step(line));
        sqlite3_reset(line);
    }
    sqlite3_finalize(line);
    check(handle, sqlite3_exec(handle, "COMMIT; VACUUM;", nullptr, nullptr, nullptr));
    sqlite3_close(handle);
}

// The large file, made on first use and kept; each run works on its own copy.
std::string largeFileCopy() {
    const fs::path folder = fs::temp_directory_path() / "kemlora-bench";
    fs::create_directories(folder);
    const fs::path cached = folder / "voucher-lines-1m.mdb";
    if (!fs::exists(cached)) {
        const auto started = std::chrono::steady_clock::now();
        const fs::path building = folder / "building.mdb";
        fs::copy_file(templatePath(), building, fs::copy_options::overwrite_existing);
        buildLargeFile(building.string());
        fs::rename(building, cached);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        std::printf("Made %s with %d voucher lines in %.1f s\n", cached.c_str(), LineCount, took.count());
    }
    const fs::path work = folder / ("work-" + std::to_string(::getpid()) + ".mdb");
    fs::copy_file(cached, work, fs::copy_options::overwrite_existing);
    return work.string();
}

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

data::ProgramState &largeFile() {
    static OpenLargeFile file;
    return file.state;
}

void KeyedReadF45Access(benchmark::State &bench) {
    auto &s = largeFile();
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
BENCHMARK(KeyedReadF45Access)->Unit(benchmark::kMicrosecond);

void KeyedReadF21Access(benchmark::State &bench) {
    auto &s = largeFile();
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
BENCHMARK(KeyedReadF21Access)->Unit(benchmark::kMicrosecond);

void KeyedLookF21Access(benchmark::State &bench) {
    auto &s = largeFile();
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
BENCHMARK(KeyedLookF21Access)->Unit(benchmark::kMicrosecond);

void WalkF45TableInIndexOrder(benchmark::State &bench) {
    auto &table = *largeFile().F45Table;
    std::int64_t rows = 0;
    for (auto _ : bench) {
        for (table.moveFirst(); !table.eof(); table.moveNext())
            ++rows;
    }
    if (rows != static_cast<std::int64_t>(LineCount) * bench.iterations()) bench.SkipWithError("the walk missed rows");
    bench.counters["rows/s"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(WalkF45TableInIndexOrder)->Unit(benchmark::kMillisecond)->Iterations(3);

void WalkF45TableReadingAmounts(benchmark::State &bench) {
    auto &table = *largeFile().F45Table;
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
BENCHMARK(WalkF45TableReadingAmounts)->Unit(benchmark::kMillisecond)->Iterations(3);

// Lines dated after the large file's last day, taken away again (untimed) after each round.
void AddLinesInOneTransaction(benchmark::State &bench) {
    auto &s = largeFile();
    auto &table = *s.F45Table;
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
BENCHMARK(AddLinesInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    largeFile(); // make or copy the large file before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
