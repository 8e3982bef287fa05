// The data file on disk: a copy put in place never meets a journal another file left under its name,
// and a file the open refuses is left byte for byte as it was, with the table and field named.
#include "main_window_fixture.h"
#include "shell/data_file.h"
#include "shell/file_commands.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void markFile(const std::string& path, const std::string& company) {
    db::Database::open(path)->execute("UPDATE F01TB SET F01_NAM_01 = ?", {db::Value(company)});
}

std::string companyOf(const std::string& path) {
    auto row = db::Database::open(path)->openSnapshot("SELECT F01_NAM_01 FROM F01TB");
    return data::trimText(row->field(0).asText());
}

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

std::string folderListing(const TempFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        names.insert(entry.path().filename().string());
    std::string listing;
    for (const auto& name : names)
        listing += name + " ";
    return listing;
}

} // namespace

TEST(DataFilePlacement, FirstStartInitialiseAndSaveNeverPlayAJournalLeftUnderTheNameIntoTheNewFile) {
    struct Case {
        const char* name;
        const char* target;
        std::function<void(MainWindowFixture&)> run;
        const char* company;
        const char* listing;
        std::size_t messages; // the initialise asks first; no case reports a failure
    } cases[] = {
        {"first start", "Kemlora.mdb", [](MainWindowFixture& f) { f.window->startUp(f.folder.path().string()); },
         "基準の会社", "Kemlora.mdb OrgKemlora.mdb ", 0},
        {"initialise", "Kemlora.mdb", [](MainWindowFixture& f) { f.choose("mnuNEW"); }, "基準の会社",
         "Kemlora.mdb OrgKemlora.mdb ", 1},
        {"save a copy", "copy.mdb",
         [](MainWindowFixture& f) {
             f.fileDialog.answers = {f.folder.file("copy.mdb")};
             f.choose("mnuFSave");
         },
         "作業中の会社", "Kemlora.mdb OrgKemlora.mdb copy.mdb ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture f;
        f.registerCounting("frmCalendar");
        markFile(copyTemplate(f.folder, "OrgKemlora.mdb"), "基準の会社");
        if (std::string(c.name) != "first start") {
            markFile(copyTemplate(f.folder, "Kemlora.mdb"), "作業中の会社");
            f.window->startUp(f.folder.path().string());
        }
        const std::string target = f.folder.file(c.target);
        leaveLeftovers(f.folder, target);
        c.run(f);
        EXPECT_EQ(f.messages.shown.size(), c.messages);
        f.state.closeDatabase();
        EXPECT_EQ(folderListing(f.folder), c.listing);
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
        {"a first month of -5", "UPDATE F01TB SET F01_STMM = ?", -5, "テーブル F01TB のフィールド F01_STMM"},
        {"the smallest 64-bit digit count", "UPDATE F10KBNTB SET F10KBN_KETA = ? WHERE F10KBN_ID = 1",
         std::int64_t{INT64_MIN}, "テーブル F10KBNTB のフィールド F10KBN_KETA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = copyTemplate(folder);
        db::Database::open(path)->execute(c.statement,
                                          c.value.isNull() ? std::vector<db::Value>{} : std::vector{c.value});
        const std::string before = bytesOf(path);
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
        EXPECT_EQ(bytesOf(path) == before, true);
        EXPECT_FALSE(fs::exists(path + "-journal"));
    }
}
