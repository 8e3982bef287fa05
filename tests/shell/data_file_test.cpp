// The data file on disk: a copy put in place never meets a journal another file left under its name, a
// replace stopped after any step leaves a whole file under the name, and a file the open refuses is left
// byte for byte as it was, with the table and field named.
#include "main_window_fixture.h"
#include "shell/data_file.h"
#include "shell/file_commands.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

using Names = std::vector<std::string>;

// What a job killed inside its commit on another file of the name `target` leaves there: that file's journal,
// holding its pages as they were before the job. The other file is smaller than the template, so the journal
// played into a copy of the template truncates and overwrites it. Beside it, an earlier killed copy's
// temporary file and a stray write-ahead log with its index.
void leaveLeftovers(const TempFolder& folder, const std::string& target) {
    const std::string other = copyTemplate(folder, "other.mdb");
    clearAllTables(other);
    sqlite3* handle = nullptr;
    sqlite3_open(other.c_str(), &handle);
    sqlite3_exec(handle, "VACUUM; PRAGMA synchronous = OFF; BEGIN; INSERT INTO F45TB (F45_YMD) VALUES (1)", nullptr,
                 nullptr, nullptr);
    fs::copy_file(other + "-journal", target + "-journal");
    sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    fs::remove(other);
    std::ofstream(folder.file("." + fs::path(target).filename().string() + ".kemlora-copy")) << "half a copy";
    std::ofstream(target + "-wal") << "stale";
    std::ofstream(target + "-shm") << "stale";
}

// What the next open finds under the name: a short file that is no data file as its text; else the engine's page
// check, with the company when the check passes. Only the check may play a journal into the file.
std::string whatTheNameHolds(const std::string& path) {
    const std::string bytes = fileBytes(path);
    if (bytes.rfind("SQLite format 3", 0) != 0)
        return bytes.size() < 100 ? bytes : std::to_string(bytes.size()) + " bytes of no data file";
    sqlite3* handle = nullptr;
    sqlite3_open(path.c_str(), &handle);
    std::string verdict;
    const auto append = [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += values[0] ? values[0] : "";
        return 0;
    };
    sqlite3_exec(handle, "PRAGMA integrity_check", append, &verdict, nullptr);
    sqlite3_close(handle);
    return verdict == "ok" ? "ok " + companyOf(path) : verdict;
}

// What a job killed inside its commit on `target` itself leaves there: a file holding pages of the commit (a small
// cache makes the engine write them before the commit ends) and its journal, holding what they were.
void leaveTornFile(const TempFolder& folder, const std::string& target) {
    const std::string crashed = copyTemplate(folder, "crashed.mdb");
    markCompany(crashed, "前の会社");
    sqlite3* handle = nullptr;
    sqlite3_open(crashed.c_str(), &handle);
    sqlite3_exec(handle,
                 "PRAGMA cache_size = 1; BEGIN; UPDATE F01TB SET F01_NAM_01 = 'torn'; WITH RECURSIVE n(i) AS "
                 "(SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) INSERT INTO F45TB (F45_YMD) SELECT i FROM n",
                 nullptr, nullptr, nullptr);
    fs::copy_file(crashed, target);
    fs::copy_file(crashed + "-journal", target + "-journal");
    sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    fs::remove(crashed);
    fs::copy_file(target, folder.file("alone.mdb"));
    EXPECT_NE(whatTheNameHolds(folder.file("alone.mdb")), "ok 前の会社") << "the file under the name is not torn";
    fs::remove(folder.file("alone.mdb"));
}

} // namespace

TEST(DataFilePlacement, FirstStartInitialiseAndSaveNeverPlayAJournalLeftUnderTheNameIntoTheNewFile) {
    struct Case {
        const char* name;
        const char* target;
        std::function<void(MainWindowFixture&)> run;
        const char* company;
        std::size_t messages; // the initialise asks first; no case reports a failure
    } cases[] = {
        {"first start", "Kemlora.mdb", [](MainWindowFixture& f) { f.window->startUp(f.folder.path().string()); },
         "基準の会社", 0},
        {"initialise", "Kemlora.mdb", [](MainWindowFixture& f) { f.choose("mnuNEW"); }, "基準の会社", 1},
        {"save a copy", "copy.mdb",
         [](MainWindowFixture& f) {
             f.fileDialog.answers = {f.folder.file("copy.mdb")};
             f.choose("mnuFSave");
         },
         "作業中の会社", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture f;
        f.registerCounting("frmCalendar");
        markCompany(copyTemplate(f.folder, "OrgKemlora.mdb"), "基準の会社");
        if (std::string(c.name) != "first start") {
            markCompany(copyTemplate(f.folder, "Kemlora.mdb"), "作業中の会社");
            f.window->startUp(f.folder.path().string());
        }
        const std::string target = f.folder.file(c.target);
        leaveLeftovers(f.folder, target);
        c.run(f);
        EXPECT_EQ(f.messages.shown.size(), c.messages);
        f.state.closeDatabase();
        const std::set<std::string> left{"Kemlora.mdb", "OrgKemlora.mdb", c.target}; // no leftover beside them
        EXPECT_EQ(folderNames(f.folder), Names(left.begin(), left.end()));
        EXPECT_EQ(companyOf(target), c.company);
    }
}

TEST(OpenDataFile, AFileTheOpenRefusesIsLeftByteForByteAsItWasAndItsTableAndFieldAreNamed) {
    struct Case {
        const char* name;
        const char* statement;
        db::Value value;
        const char* named;
    } cases[] = {
        {"a missing index", "DROP INDEX F50IX", {}, "F50IX"},
        {"a start month beyond 16 bits", "UPDATE F01TB SET F01_STMM = ?", 100000,
         "テーブル F01TB のフィールド F01_STMM"},
        {"a first month of 0", "UPDATE F01TB SET F01_STMM = ?", 0, "テーブル F01TB のフィールド F01_STMM"},
        {"a first month of 13", "UPDATE F01TB SET F01_STMM = ?", 13, "テーブル F01TB のフィールド F01_STMM"},
        {"the smallest 64-bit digit count", "UPDATE F10KBNTB SET F10KBN_KETA = ? WHERE F10KBN_ID = 1",
         std::int64_t{INT64_MIN}, "テーブル F10KBNTB のフィールド F10KBN_KETA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = copyTemplate(folder);
        db::Database::open(path)->execute(c.statement,
                                          c.value.isNull() ? std::vector<db::Value>{} : std::vector{c.value});
        const std::string before = fileBytes(path);
        data::ProgramState state;
        state.DataFilePath = path;
        state.today = [] { return 20260415; };
        try {
            shell::OpenDataFile(state);
            ADD_FAILURE() << "the file was opened";
        } catch (const db::DbError& error) {
            EXPECT_NE(error.description().find(c.named), std::string::npos) << error.description();
        }
        EXPECT_FALSE(state.MainDatabase);
        EXPECT_EQ(fileBytes(path) == before, true);
        EXPECT_FALSE(fs::exists(path + "-journal"));
    }
}

TEST(DataFilePlacement, AReplaceStoppedAfterAnyStepLeavesTheWholeOldFileOrTheWholeNewOneUnderTheName) {
    struct Case {
        const char* name;
        std::function<void(const TempFolder&, const std::string&)> leave;
        const char* old; // what the name holds until the copy takes it
    } cases[] = {
        {"a file torn by a killed commit, with its journal", leaveTornFile, "ok 前の会社"},
        {"no data file, with another file's journal",
         [](const TempFolder& folder, const std::string& target) {
             std::ofstream(target) << "no data file";
             leaveLeftovers(folder, target);
         },
         "no data file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> steps{""}; // "": runs to the end
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::string stop = steps[i];
            SCOPED_TRACE(stop);
            TempFolder folder;
            const std::string source = copyTemplate(folder, "new.mdb"), target = folder.file("Kemlora.mdb");
            markCompany(source, "新しい会社");
            c.leave(folder, target);
            try {
                EXPECT_FALSE(shell::PutDataFileInPlace(source, target, [&](const char* step) {
                    if (stop.empty()) steps.push_back(step);
                    if (stop == step) throw stop;
                }));
            } catch (const std::string&) {
            }
            EXPECT_EQ(whatTheNameHolds(target), stop.empty() || stop == "renamed" ? "ok 新しい会社" : c.old);
            if (stop.empty()) {
                EXPECT_EQ(folderNames(folder), (Names{"Kemlora.mdb", "new.mdb"}));
            }
        }
        EXPECT_EQ(steps.size(), 5u);
    }
}
