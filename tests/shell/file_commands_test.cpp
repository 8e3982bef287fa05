// The file commands on real files: every branch of initialise, open and save-a-copy.
#include "shell/data_file.h"
#include "shell/file_commands.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using platform::Answer;
using Names = std::vector<std::string>;

const std::string Stamp = "20260501";

std::string controlField(const std::string& path, const std::string& field) {
    const auto database = db::Database::open(path);
    return database->openSnapshot("SELECT " + field + " FROM F01TB WHERE F01_NO = 1")->field(field).asText();
}
void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }
// What a file holds: "-" when missing, the company name of a data file, or its text.
std::string contents(const std::string& path) {
    if (!fs::exists(path)) return "-";
    try {
        return companyOf(path);
    } catch (const db::DbError&) {
        return fileBytes(path);
    }
}
std::string lastOf(const Names& shown) { return shown.empty() ? "" : shown.back(); }
bool startsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// A working file named "作業中の会社" beside a template named "基準の会社", both open to the commands.
struct Files {
    Files()
        : commands(os.state, {[this] { ++childCloses; },
                              [this] { captions.push_back(shell::MainCaption(os.state.DataFilePath)); }}) {
        os.state.TemplateFilePath = templ;
        markCompany(templ, "基準の会社");
        os.state.MainDatabase->execute("UPDATE F01TB SET F01_NAM_01 = ?", {db::Value("作業中の会社")});
        os.state.F01Record.F01_NAM[1] = "作業中の会社";
        os.state.today = [] { return 20260501; };
    }
    std::string file(const std::string& name) const { return os.folder.file(name); }
    bool fullyOpen() const { return os.state.MainDatabase && os.state.F10KBNTable && os.state.F50Table; }
    std::string company() const { return os.state.F01Record.F01_NAM[1].trimmed(); }
    Names names() const { return folderNames(os.folder); }

    OpenState os;
    const std::string templ = copyTemplate(os.folder, "OrgKemlora.mdb");
    int childCloses = 0;
    Names captions;
    shell::FileCommands commands;
};

TEST(FileCommands, InitialiseReplacesTheWorkingFileOnlyWhenAllowedAndNeverLeavesAHalfCopy) {
    struct Case {
        const char* name;
        std::function<void(Files&)> arrange;
        Answer answer;
        std::size_t shown;
        std::string lastShown; // its start
        int closes;
        std::string company; // of the working file afterwards
        bool stamped;
        Names names;
    };
    const auto noWorkingFile = [](Files& f) { fs::remove(f.os.path); };
    const auto noTemplate = [](Files& f) { fs::remove(f.templ); };
    const auto templateOpen = [](Files& f) {
        fs::create_directory(f.file("sub"));
        f.os.state.DataFilePath = f.file("sub/../OrgKemlora.mdb");
    };
    const auto templateUncopyable = [](Files& f) {
        f.os.state.TemplateFilePath = f.file("OrgFolder.mdb");
        fs::create_directory(f.os.state.TemplateFilePath);
    };
    const std::string ask = "初期設定以外の現状の全データは失われます。作業を続行しますか。";
    const std::string working = "作業中の会社", fresh = "基準の会社";
    const Names both = {"Kemlora.mdb", "OrgKemlora.mdb"}, withSub = {"Kemlora.mdb", "OrgKemlora.mdb", "sub"},
                withFolder = {"Kemlora.mdb", "OrgFolder.mdb", "OrgKemlora.mdb"};
    const Case cases[] = {
        {"cancelled", {}, Answer::Cancel, 1, ask, 0, working, false, both},
        {"confirmed", {}, Answer::Ok, 1, ask, 1, fresh, true, both},
        {"no working file", noWorkingFile, Answer::Ok, 0, "", 1, fresh, true, both},
        {"no template", noTemplate, Answer::Ok, 2, "基準ファイルがありません。", 1, working, false, {"Kemlora.mdb"}},
        {"the template open", templateOpen, Answer::Ok, 1, "開いているファイルは基準ファイルそのもの", 0, working,
         false, withSub},
        {"a failed copy", templateUncopyable, Answer::Ok, 2, "ファイルの初期化に失敗しました。Err.Number =  ", 1,
         working, true, withFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Files f;
        if (c.arrange) c.arrange(f);
        f.os.messages.answers = {c.answer};
        f.commands.mnuNEW();

        ASSERT_EQ(f.os.messages.shown.size(), c.shown);
        EXPECT_TRUE(startsWith(lastOf(f.os.messages.shown), c.lastShown)) << lastOf(f.os.messages.shown);
        EXPECT_EQ(f.childCloses, c.closes);
        EXPECT_EQ(companyOf(f.os.path), c.company);
        EXPECT_EQ(controlField(f.os.path, "F01_ACT") == Stamp, c.stamped);
        EXPECT_TRUE(f.fullyOpen());
        EXPECT_EQ(f.names(), c.names);
        EXPECT_EQ(f.company(), c.company);
        if (fs::exists(f.templ)) {
            EXPECT_EQ(companyOf(f.templ), "基準の会社");
            EXPECT_NE(controlField(f.templ, "F01_ACT"), Stamp);
        }
    }
}

TEST(FileCommands, OpenSwitchesToTheChosenFileOrNamesWhyNotAndReopensThePreviousOne) {
    Files f;
    fs::create_directory(f.file("a.b"));
    for (const auto* name : {"a.b/name.mdb", "name.mdb", "data.mdb", "plain.mdb"})
        markCompany(copyTemplate(f.os.folder, name), name);
    writeText(f.file("notes.mdb"), "これはデータファイルではありません");
    // ".mdb" is forced on the name, cutting inside the file name only. Why a file is no data file is the engine's
    // test; here any refusal reopens the file open before.
    const std::pair<std::string, std::string> cases[] = {{"a.b/name", "a.b/name.mdb"}, {"missing", "a.b/name.mdb"},
                                                         {"name.txt", "name.mdb"},     {"notes.mdb", "name.mdb"},
                                                         {"data.old.mdb", "data.mdb"}, {"plain", "plain.mdb"}};
    for (const auto& [chosen, open] : cases) {
        SCOPED_TRACE(chosen);
        const bool opened = shell::ForceMdbExtension(f.file(chosen)) == f.file(open);
        f.os.messages.shown.clear();
        f.os.fileDialog.answers = {f.file(chosen)};
        f.commands.mnuREAD();
        EXPECT_EQ(f.os.state.DataFilePath, f.file(open));
        EXPECT_EQ(f.captions.back(), "経理処理　　　　（" + f.file(open) + "）");
        EXPECT_EQ(f.company(), open);
        EXPECT_TRUE(f.fullyOpen());
        EXPECT_EQ(controlField(f.file(open), "F01_TDY"), Stamp);
        ASSERT_EQ(f.os.messages.shown.size(), opened ? 0u : 1u);
        if (opened) continue;
        EXPECT_NE(f.os.messages.shown[0].find(shell::ForceMdbExtension(f.file(chosen))), std::string::npos);
        EXPECT_NE(f.os.messages.shown[0].find("Err.Number = "), std::string::npos);
    }
    EXPECT_EQ(contents(f.file("missing.mdb")), "-");
    EXPECT_EQ(contents(f.file("notes.mdb")), "これはデータファイルではありません");

    // Cancelled: the open file stays open.
    f.os.state.F01Record.F01_NAM[1] = "読み直していない";
    f.commands.mnuREAD();
    EXPECT_EQ(f.company(), "読み直していない");
    EXPECT_EQ(f.captions.size(), 6u);
}

TEST(FileCommands, WithNoFileOpenTheFileCommandsStillRecover) {
    Files f;
    f.os.state.closeDatabase(); // as after a failed start
    writeText(f.os.path, "壊れたファイル");

    f.os.fileDialog.answers = {f.file("missing")};
    EXPECT_NO_THROW(f.commands.mnuREAD());
    ASSERT_EQ(f.os.messages.shown.size(), 1u);
    EXPECT_NE(f.os.messages.shown[0].find(f.file("missing.mdb")), std::string::npos);
    EXPECT_EQ(f.os.state.DataFilePath, f.os.path);
    EXPECT_FALSE(f.os.state.MainDatabase);

    f.commands.mnuFSave(); // nothing open, nothing to copy
    EXPECT_EQ(f.os.fileDialog.requests.size(), 1u);

    f.commands.mnuNEW();
    EXPECT_EQ(controlField(f.os.path, "F01_ACT"), Stamp);
    EXPECT_TRUE(f.fullyOpen());

    // A working file gone from under the open data: no dialog either.
    fs::remove(f.os.path);
    f.commands.mnuFSave();
    EXPECT_EQ(f.os.fileDialog.requests.size(), 1u);
}

TEST(FileCommands, SaveACopyAsksBeforeOverwritingAndOffersTheFirstFreeNumberedName) {
    Files f;
    f.os.state.F01Record.F01_NAM[1] = "読み直していない";
    f.os.fileDialog.answers = {f.file("copy")};
    f.commands.mnuFSave();
    EXPECT_TRUE(f.os.fileDialog.requests.at(0).save);
    EXPECT_TRUE(f.os.messages.shown.empty());
    EXPECT_EQ(contents(f.file("copy.mdb")), "作業中の会社");
    EXPECT_EQ(f.company(), "作業中の会社"); // closed around the copy, then reopened
    EXPECT_EQ(f.os.state.DataFilePath, f.os.path);

    for (const auto* name : {"book.mdb", "book001.mdb", "book002.mdb"})
        writeText(f.file(name), name);
    const std::string overwrite = "同一ファイルが存在します。上書きしますか。";
    const std::string numbered = "新ファイル名は　" + f.file("book003.mdb") + "です。作業を続行しますか。";
    const std::string copied = "作業中の会社";
    struct Case {
        std::deque<Answer> answers;
        Names shown;
        std::string book, book003; // what each holds afterwards
    } cases[] = {{{Answer::No, Answer::Cancel}, {overwrite, numbered}, "book.mdb", "-"},
                 {{Answer::No, Answer::Ok}, {overwrite, numbered}, "book.mdb", copied},
                 {{Answer::Yes}, {overwrite}, copied, copied}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        f.os.messages.shown.clear();
        f.os.fileDialog.answers = {f.file("book")};
        f.os.messages.answers = c.answers;
        f.commands.mnuFSave();
        EXPECT_EQ(f.os.messages.shown, c.shown);
        EXPECT_EQ(contents(f.file("book.mdb")), c.book);
        EXPECT_EQ(contents(f.file("book003.mdb")), c.book003);
        EXPECT_TRUE(f.fullyOpen());
    }
}

TEST(FileCommands, WithAllNineHundredNinetyNineNumberedNamesTakenNothingIsOverwritten) {
    Files f;
    writeText(f.file("book.mdb"), "old");
    char name[32];
    for (int n = 1; n <= 999; ++n) {
        std::snprintf(name, sizeof name, "book%03d.mdb", n);
        writeText(f.file(name), "old");
    }
    f.os.fileDialog.answers = {f.file("book.mdb")};
    f.os.messages.answers = {Answer::No};
    f.commands.mnuFSave();
    ASSERT_EQ(f.os.messages.shown.size(), 2u);
    EXPECT_NE(f.os.messages.shown[1].find("すべて使われています"), std::string::npos);
    EXPECT_EQ(contents(f.file("book.mdb")) + contents(f.file("book999.mdb")), "oldold");
    EXPECT_EQ(f.names().size(), 1002u);
    EXPECT_TRUE(f.fullyOpen());
}

TEST(FileCommands, SavingOntoTheOpenFileDoesNothingALinkIsFollowedAndAFailedCopyLeavesTheTargetAsItWas) {
    Files f;
    fs::create_directory(f.file("sub"));
    fs::create_symlink(f.os.path, f.file("link.mdb"));
    writeText(f.file("sub/linked.mdb"), "old");
    fs::create_symlink(f.file("sub/linked.mdb"), f.file("other.mdb"));
    writeText(f.file("plainfile"), "a file, not a folder");
    fs::create_directory(f.file("box.mdb"));
    writeText(f.file("box.mdb/inside.txt"), "kept");
    const auto workingFolder = fs::current_path();
    fs::current_path(f.os.folder.path());
    const std::string failed = "ファイルの保存に失敗しました。Err.Number =  ";
    struct Case {
        std::string chosen;
        std::size_t shown;
        std::string lastShown;
    } cases[] = {{f.os.path, 0, ""},
                 {f.file("sub/../Kemlora.mdb"), 0, ""},
                 {f.file("link.mdb"), 0, ""},
                 {"Kemlora", 0, ""},
                 {f.file("other"), 1, "同一ファイルが存在します。"}, // answered Yes
                 {f.file("plainfile/copy"), 1, failed + "76 (パスが見つかりません。)"},
                 {f.file("nofolder/copy"), 1, failed + "53 (ファイルが見つかりません。)"},
                 {f.file("box"), 2, failed + "75 (ファイルを読み書きできません。)"}}; // a folder cannot be replaced
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        f.os.state.F01Record.F01_NAM[1] = "読み直していない"; // a reopen reads the file again
        f.os.messages.shown.clear();
        f.os.fileDialog.answers = {c.chosen};
        f.commands.mnuFSave();
        ASSERT_EQ(f.os.messages.shown.size(), c.shown);
        EXPECT_TRUE(startsWith(lastOf(f.os.messages.shown), c.lastShown)) << lastOf(f.os.messages.shown);
        EXPECT_EQ(f.company() == "読み直していない", c.shown == 0) << "the same file is not even closed";
        EXPECT_EQ(f.os.state.DataFilePath, f.os.path);
        EXPECT_TRUE(f.fullyOpen());
    }
    fs::current_path(workingFolder);
    EXPECT_TRUE(fs::is_symlink(f.file("link.mdb")) && fs::is_symlink(f.file("other.mdb")));
    EXPECT_EQ(contents(f.file("sub/linked.mdb")), "作業中の会社");
    EXPECT_EQ(fileBytes(f.file("plainfile")), "a file, not a folder");
    EXPECT_EQ(fileBytes(f.file("box.mdb/inside.txt")), "kept");
    EXPECT_EQ(f.names(),
              (Names{"Kemlora.mdb", "OrgKemlora.mdb", "box.mdb", "link.mdb", "other.mdb", "plainfile", "sub"}));
}

} // namespace
