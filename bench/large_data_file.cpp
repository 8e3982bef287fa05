#include "large_data_file.h"

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

namespace bench_support {

namespace {

constexpr int LinesPerVoucher = 4;
constexpr int VoucherCount = LineCount / LinesPerVoucher;
constexpr int DayCount = 3652; // 2016-01-01 to 2025-12-30

std::string templatePath() {
    if (const char* path = std::getenv("KEMLORA_TEMPLATE")) return path;
    return KEMLORA_TEMPLATE_PATH;
}

std::int32_t dateOfDay(int day) {
    static const auto first = std::chrono::sys_days(std::chrono::year(2016) / 1 / 1);
    const std::chrono::year_month_day date(first + std::chrono::days(day));
    return static_cast<int>(date.year()) * 10000 + static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
           static_cast<int>(static_cast<unsigned>(date.day()));
}

} // namespace

LineKey lineKey(int i) {
    const int voucher = i / LinesPerVoucher;
    return {dateOfDay(static_cast<int>(static_cast<std::int64_t>(voucher) * DayCount / VoucherCount)), voucher + 1,
            static_cast<std::int16_t>(i % LinesPerVoucher + 1)};
}

SubjectKey subjectKey(int j) { return {static_cast<std::int16_t>(1 + j / 50), 1000 + j}; }

namespace {

std::string padded(const std::string& text, std::size_t width) { return text + std::string(width - text.size(), ' '); }

void check(sqlite3* handle, int code) {
    if (code != SQLITE_OK && code != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(handle));
}

// Fills a copy of the template straight through SQLite: one transaction, one prepared statement per table.
void buildLargeFile(const std::string& path) {
    sqlite3* handle = nullptr;
    check(handle, sqlite3_open(path.c_str(), &handle));
    check(handle, sqlite3_exec(handle,
                               "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
                               "DELETE FROM F45TB; DELETE FROM F21TB;",
                               nullptr, nullptr, nullptr));
    sqlite3_stmt* subject = nullptr;
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

    sqlite3_stmt* line = nullptr;
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

} // namespace

std::string largeFileCopy(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / "kemlora-bench";
    fs::create_directories(folder);
    const fs::path cached = folder / "voucher-lines-1m.mdb";
    if (!fs::exists(cached)) {
        const auto started = std::chrono::steady_clock::now();
        // Each process builds its own, so benchmarks started together never write one file at once.
        const fs::path building = folder / ("building-" + std::to_string(::getpid()) + ".mdb");
        fs::copy_file(templatePath(), building, fs::copy_options::overwrite_existing);
        buildLargeFile(building.string());
        fs::rename(building, cached);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        std::printf("Made %s with %d voucher lines in %.1f s\n", cached.c_str(), LineCount, took.count());
    }
    const fs::path work = folder / (name + "-" + std::to_string(::getpid()) + ".mdb");
    fs::copy_file(cached, work, fs::copy_options::overwrite_existing);
    return work.string();
}

} // namespace bench_support
