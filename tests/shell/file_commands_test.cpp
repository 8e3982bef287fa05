#include "shell/data_file.h"
#include "shell/file_commands.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using platform::Answer;
using testing_support::OpenState;

// Reads one field of a data file's control row straight from the file.
std::string controlField(const std::string &path, const std::string &field) {
    sqlite3 *handle = nullptr;
    std::string result = "(unreadable)";
    if (sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        const std::string sql = "SELECT " + field + " FROM F01TB WHERE F01_NO = 1";
        if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    return result;
}

std::string companyName(const std::string &path) { return data::trimText(controlField(path, "F01_NAM_01")); }

// Gives a data file a company name of its own, so that a copy of it can be recognised.
void markFile(const std::string &path, const std::string &name) {
    auto database = db::Database::open(path);
    database->execute("UPDATE F01TB SET F01_NAM_01 = ?", {db::Value(name)});
}

void writeText(const fs::path &path, const std::string &text) { std::ofstream(path) << text; }

std::string readText(const fs::path &path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> namesIn(const fs::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest()
        : commands(os.state, {[this] { ++childCloses; },
                              [this] { captions.push_back(shell::MainCaption(os.state.DataFilePath)); }}) {
        os.state.TemplateFilePath = testing_support::copyTemplate(os.folder, "OrgKemlora.mdb");
        os.state.MainDatabase->execute("UPDATE F01TB SET F01_NAM_01 = ?", {db::Value("作業中の会社")});
        os.state.today = [] { return 20260501; };
    }

    std::string file(const std::string &name) const { return os.folder.file(name); }
    bool fullyOpen() const { return os.state.MainDatabase && os.state.F10KBNTable && os.state.F50Table; }

    OpenState os;
    int childCloses = 0;
    std::vector<std::string> captions;
    shell::FileCommands commands;
};

TEST_F(FileCommandsTest, InitialiseCancelledAtTheQuestionChangesNothing) {
    os.messages.answers = {Answer::Cancel};
    commands.mnuNEW();
    EXPECT_EQ(os.messages.shown,
              std::vector<std::string>{"初期設定以外の現状の全データは失われます。作業を続行しますか。"});
    EXPECT_EQ(childCloses, 0);
    EXPECT_EQ(companyName(os.path), "作業中の会社");
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, InitialiseReplacesTheWorkingFileWithTheTemplateAndReopensIt) {
    markFile(os.state.TemplateFilePath, "基準の会社");
    os.messages.answers = {Answer::Ok};
    commands.mnuNEW();

    EXPECT_EQ(os.messages.shown.size(), 1u);
    EXPECT_EQ(childCloses, 1);
    EXPECT_EQ(companyName(os.path), "基準の会社");
    EXPECT_EQ(controlField(os.path, "F01_ACT"), "20260501");
    EXPECT_EQ(controlField(os.path, "F01_TDY"), "20260501");
    EXPECT_EQ(os.state.F01Record.F01_NAM[1].trimmed(), "基準の会社");
    EXPECT_EQ(os.state.DataFilePath, os.path);
    EXPECT_TRUE(fullyOpen());
    EXPECT_EQ(namesIn(os.folder.path()), (std::vector<std::string>{"Kemlora.mdb", "OrgKemlora.mdb"}));
    // The template itself is never stamped.
    EXPECT_NE(controlField(os.state.TemplateFilePath, "F01_ACT"), "20260501");
}

TEST_F(FileCommandsTest, InitialiseWithoutAWorkingFileAsksNothing) {
    fs::remove(os.path);
    commands.mnuNEW();
    EXPECT_TRUE(os.messages.shown.empty());
    EXPECT_TRUE(fs::exists(os.path));
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, InitialiseWithoutTheTemplateTellsTheUserAndKeepsTheFileOpen) {
    fs::remove(os.state.TemplateFilePath);
    auto *database = os.state.MainDatabase.get();
    commands.mnuNEW();
    EXPECT_EQ(os.messages.shown.back(), "基準ファイルがありません。");
    EXPECT_EQ(childCloses, 1);
    EXPECT_EQ(os.state.MainDatabase.get(), database);
    EXPECT_EQ(companyName(os.path), "作業中の会社");
}

TEST_F(FileCommandsTest, InitialiseRefusesWhenTheOpenFileIsTheTemplate) {
    fs::create_directory(file("sub"));
    markFile(os.state.TemplateFilePath, "基準の会社");
    os.state.DataFilePath = file("sub/../OrgKemlora.mdb");
    commands.mnuNEW();
    ASSERT_EQ(os.messages.shown.size(), 1u);
    EXPECT_NE(os.messages.shown[0].find("基準ファイルは初期化できません"), std::string::npos);
    EXPECT_EQ(companyName(os.state.TemplateFilePath), "基準の会社");
}

TEST_F(FileCommandsTest, AFailedInitialiseLeavesTheWorkingFileAsItWas) {
    // A folder where the template should be: it exists, but cannot be copied.
    os.state.TemplateFilePath = file("OrgFolder.mdb");
    fs::create_directory(os.state.TemplateFilePath);
    os.messages.answers = {Answer::Ok};
    commands.mnuNEW();

    ASSERT_EQ(os.messages.shown.size(), 2u);
    EXPECT_EQ(os.messages.shown[1].rfind("ファイルの初期化に失敗しました。Err.Number =  ", 0), 0u)
        << os.messages.shown[1];
    EXPECT_EQ(os.messages.shown[1].back(), ')');
    EXPECT_EQ(companyName(os.path), "作業中の会社");
    EXPECT_EQ(controlField(os.path, "F01_ACT"), "20260501"); // reopened all the same
    EXPECT_TRUE(fullyOpen());
    EXPECT_EQ(namesIn(os.folder.path()), (std::vector<std::string>{"Kemlora.mdb", "OrgFolder.mdb", "OrgKemlora.mdb"}));
}

TEST_F(FileCommandsTest, OpenSwitchesToTheChosenFileAndStampsIt) {
    const auto other = testing_support::copyTemplate(os.folder, "other.mdb");
    markFile(other, "別の会社");
    os.fileDialog.answers = {file("other.txt")};
    commands.mnuREAD();

    ASSERT_EQ(os.fileDialog.requests.size(), 1u);
    EXPECT_EQ(os.fileDialog.requests[0].title, "ファイルの指定");
    EXPECT_EQ(os.fileDialog.requests[0].folder, os.state.AppPath);
    EXPECT_FALSE(os.fileDialog.requests[0].save);
    EXPECT_EQ(os.state.DataFilePath, other);
    EXPECT_EQ(captions, std::vector<std::string>{"経理処理　　　　（" + other + "）"});
    EXPECT_EQ(os.state.F01Record.F01_NAM[1].trimmed(), "別の会社");
    EXPECT_EQ(controlField(other, "F01_TDY"), "20260501");
    EXPECT_TRUE(os.messages.shown.empty());
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, OpenCancelledKeepsTheOpenFile) {
    auto *database = os.state.MainDatabase.get();
    commands.mnuREAD();
    EXPECT_EQ(childCloses, 1);
    EXPECT_EQ(os.state.DataFilePath, os.path);
    EXPECT_EQ(os.state.MainDatabase.get(), database);
    EXPECT_TRUE(captions.empty());
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedIsNamedAndThePreviousFileReopened) {
    writeText(file("notes.mdb"), "これはデータファイルではありません");
    {
        sqlite3 *handle = nullptr;
        sqlite3_open(file("bare.mdb").c_str(), &handle);
        sqlite3_exec(handle, "CREATE TABLE other (x INTEGER)", nullptr, nullptr, nullptr);
        sqlite3_close(handle);
    }
    const auto bareBefore = readText(file("bare.mdb"));
    for (const std::string name : {"missing.mdb", "notes.mdb", "bare.mdb"}) {
        SCOPED_TRACE(name);
        os.messages.shown.clear();
        captions.clear();
        os.fileDialog.answers = {file(name)};
        commands.mnuREAD();

        ASSERT_EQ(os.messages.shown.size(), 1u);
        EXPECT_NE(os.messages.shown[0].find(file(name)), std::string::npos);
        EXPECT_NE(os.messages.shown[0].find("Err.Number = "), std::string::npos);
        EXPECT_EQ(os.state.DataFilePath, os.path);
        EXPECT_EQ(captions, std::vector<std::string>{shell::MainCaption(os.path)});
        EXPECT_EQ(os.state.F01Record.F01_NAM[1].trimmed(), "作業中の会社");
        EXPECT_TRUE(fullyOpen());
    }
    EXPECT_FALSE(fs::exists(file("missing.mdb")));
    EXPECT_EQ(readText(file("notes.mdb")), "これはデータファイルではありません");
    EXPECT_EQ(readText(file("bare.mdb")), bareBefore);
}

TEST_F(FileCommandsTest, WithNoFileOpenTheFileCommandsStillRecover) {
    // A working file that never opened, as after a failed start.
    os.state.closeDatabase();
    writeText(os.path, "壊れたファイル");

    os.fileDialog.answers = {file("missing")};
    EXPECT_NO_THROW(commands.mnuREAD());
    ASSERT_EQ(os.messages.shown.size(), 1u);
    EXPECT_NE(os.messages.shown[0].find(file("missing.mdb")), std::string::npos);
    EXPECT_EQ(os.state.DataFilePath, os.path);
    EXPECT_FALSE(os.state.MainDatabase);

    commands.mnuFSave(); // nothing open, nothing to copy
    EXPECT_EQ(os.fileDialog.requests.size(), 1u);

    os.messages.answers = {Answer::Ok};
    commands.mnuNEW();
    EXPECT_EQ(controlField(os.path, "F01_ACT"), "20260501");
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, TheChosenNameAlwaysEndsInMdbCutInsideTheFileNameOnly) {
    fs::create_directory(file("a.b"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a.b/name", "a.b/name.mdb"},
        {"name.txt", "name.mdb"},
        {"data.old.mdb", "data.mdb"},
        {"plain", "plain.mdb"},
    };
    for (const auto &[chosen, used] : cases) {
        SCOPED_TRACE(chosen);
        EXPECT_EQ(shell::ForceMdbExtension(file(chosen)), file(used));
        testing_support::copyTemplate(os.folder, used);
        os.fileDialog.answers = {file(chosen)};
        commands.mnuREAD();
        EXPECT_EQ(os.state.DataFilePath, file(used));
        EXPECT_TRUE(os.messages.shown.empty());
    }
}

TEST_F(FileCommandsTest, SaveACopyToANewName) {
    auto *database = os.state.MainDatabase.get();
    os.fileDialog.answers = {file("copy")};
    commands.mnuFSave();

    ASSERT_EQ(os.fileDialog.requests.size(), 1u);
    EXPECT_EQ(os.fileDialog.requests[0].title, "現状ファイルの保存");
    EXPECT_TRUE(os.fileDialog.requests[0].save);
    EXPECT_TRUE(os.messages.shown.empty());
    EXPECT_EQ(companyName(file("copy.mdb")), "作業中の会社");
    EXPECT_EQ(os.state.DataFilePath, os.path);
    EXPECT_NE(os.state.MainDatabase.get(), database); // closed around the copy, then reopened
    EXPECT_TRUE(fullyOpen());
    EXPECT_EQ(namesIn(os.folder.path()), (std::vector<std::string>{"Kemlora.mdb", "OrgKemlora.mdb", "copy.mdb"}));
}

TEST_F(FileCommandsTest, SaveOntoAnExistingNameOverwritesItWhenTheUserSaysYes) {
    markFile(testing_support::copyTemplate(os.folder, "book.mdb"), "古い写し");
    os.fileDialog.answers = {file("book.mdb")};
    os.messages.answers = {Answer::Yes};
    commands.mnuFSave();
    EXPECT_EQ(os.messages.shown, std::vector<std::string>{"同一ファイルが存在します。上書きしますか。"});
    EXPECT_EQ(companyName(file("book.mdb")), "作業中の会社");
    EXPECT_EQ(namesIn(os.folder.path()), (std::vector<std::string>{"Kemlora.mdb", "OrgKemlora.mdb", "book.mdb"}));
}

TEST_F(FileCommandsTest, DecliningToOverwriteOffersTheFirstFreeNumberedName) {
    for (const auto *name : {"book.mdb", "book001.mdb", "book002.mdb"})
        writeText(file(name), name);
    for (const Answer last : {Answer::Cancel, Answer::Ok}) {
        SCOPED_TRACE(last == Answer::Ok ? "ok" : "cancel");
        os.messages.shown.clear();
        os.fileDialog.answers = {file("book")};
        os.messages.answers = {Answer::No, last};
        commands.mnuFSave();
        EXPECT_EQ(os.messages.shown,
                  (std::vector<std::string>{"同一ファイルが存在します。上書きしますか。",
                                            "新ファイル名は　" + file("book003.mdb") + "です。作業を続行しますか。"}));
        EXPECT_EQ(fs::exists(file("book003.mdb")), last == Answer::Ok);
    }
    EXPECT_EQ(companyName(file("book003.mdb")), "作業中の会社");
    EXPECT_EQ(readText(file("book.mdb")), "book.mdb");
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, WithAllNineHundredNinetyNineNumberedNamesTakenNothingIsOverwritten) {
    writeText(file("book.mdb"), "old");
    char name[32];
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "book%03d.mdb", n);
        writeText(file(name), "old");
    }
    os.fileDialog.answers = {file("book.mdb")};
    os.messages.answers = {Answer::No};
    commands.mnuFSave();
    ASSERT_EQ(os.messages.shown.size(), 2u);
    EXPECT_NE(os.messages.shown[1].find("すべて使われています"), std::string::npos);
    EXPECT_EQ(readText(file("book.mdb")), "old");
    EXPECT_EQ(readText(file("book999.mdb")), "old");
    EXPECT_EQ(namesIn(os.folder.path()).size(), 1002u);
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, SavingOntoTheOpenFileUnderAnySpellingDoesNothing) {
    fs::create_directory(file("sub"));
    fs::create_symlink(os.path, file("link.mdb"));
    const auto workingFolder = fs::current_path();
    fs::current_path(os.folder.path());
    auto *database = os.state.MainDatabase.get();
    for (const auto &chosen : {os.path, file("sub/../Kemlora.mdb"), file("link.mdb"), std::string("Kemlora")}) {
        SCOPED_TRACE(chosen);
        os.fileDialog.answers = {chosen};
        commands.mnuFSave();
        EXPECT_TRUE(os.messages.shown.empty());
        EXPECT_EQ(os.state.MainDatabase.get(), database);
    }
    fs::current_path(workingFolder);
    EXPECT_TRUE(fs::is_symlink(file("link.mdb")));
    EXPECT_EQ(companyName(os.path), "作業中の会社");
}

TEST_F(FileCommandsTest, AFailedCopyReportsTheErrorAndLeavesTheTargetAsItWas) {
    writeText(file("plainfile"), "a file, not a folder");
    fs::create_directory(file("box.mdb"));
    writeText(file("box.mdb/inside.txt"), "kept");

    os.fileDialog.answers = {file("plainfile/copy")};
    commands.mnuFSave();
    ASSERT_EQ(os.messages.shown.size(), 1u);
    EXPECT_EQ(os.messages.shown[0].rfind("ファイルの保存に失敗しました。Err.Number =  76 (", 0), 0u)
        << os.messages.shown[0];
    EXPECT_EQ(readText(file("plainfile")), "a file, not a folder");
    EXPECT_TRUE(fullyOpen());

    // Overwriting something that cannot be replaced.
    os.messages.shown.clear();
    os.fileDialog.answers = {file("box")};
    os.messages.answers = {Answer::Yes};
    commands.mnuFSave();
    ASSERT_EQ(os.messages.shown.size(), 2u);
    EXPECT_EQ(os.messages.shown[1].rfind("ファイルの保存に失敗しました。Err.Number =  ", 0), 0u)
        << os.messages.shown[1];
    EXPECT_EQ(readText(file("box.mdb/inside.txt")), "kept");
    EXPECT_EQ(namesIn(os.folder.path()),
              (std::vector<std::string>{"Kemlora.mdb", "OrgKemlora.mdb", "box.mdb", "plainfile"}));
    EXPECT_EQ(os.state.DataFilePath, os.path);
    EXPECT_TRUE(fullyOpen());
}

TEST_F(FileCommandsTest, SaveWithoutAWorkingFileShowsNoDialog) {
    fs::remove(os.path);
    commands.mnuFSave();
    EXPECT_EQ(childCloses, 1);
    EXPECT_TRUE(os.fileDialog.requests.empty());
}

} // namespace
