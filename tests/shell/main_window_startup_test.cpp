#include "main_window_fixture.h"

#include "shell/data_file.h"

#include <QFile>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::pair<std::int32_t, std::int32_t> storedDates(const std::string &path) {
    auto database = db::Database::open(path);
    auto row = database->openSnapshot("SELECT F01_TDY, F01_ACT FROM F01TB WHERE F01_NO = ?", {db::Value(1)});
    return {std::int32_t(row->field("F01_TDY").asInt()), std::int32_t(row->field("F01_ACT").asInt())};
}

} // namespace

TEST(StartUp, aNewUserGetsAWorkingFileMadeFromTheTemplateAndOpened) {
    MainWindowFixture f;
    f.registerCounting("frmCalendar");
    EXPECT_EQ(f.window->windowTitle(), QString::fromUtf8("経理処理"));

    f.startInFolderWithTemplate();

    const std::string folder = f.folder.path().string();
    EXPECT_EQ(f.state.AppPath, folder + "/");
    EXPECT_EQ(f.state.DataFilePath, folder + "/Kemlora.mdb");
    EXPECT_EQ(f.state.TemplateFilePath, folder + "/OrgKemlora.mdb");
    ASSERT_TRUE(f.state.MainDatabase);
    EXPECT_TRUE(f.state.F45Table && f.state.F50Table);
    EXPECT_EQ(f.window->windowTitle().toStdString(), "経理処理　　　　（" + folder + "/Kemlora.mdb）");
    EXPECT_EQ(f.state.CalendarDate, MainWindowFixture::Today);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.openNames(), "frmCalendar");

    f.state.closeDatabase();
    EXPECT_EQ(storedDates(f.state.DataFilePath), std::make_pair(MainWindowFixture::Today, MainWindowFixture::Today));
    // Only the two data files: no half-written copy is left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(f.folder.path()), fs::directory_iterator{}), 2);
}

TEST(StartUp, anExistingWorkingFileIsOpenedAsItIsAndAFolderEndingInASlashKeepsOneSlash) {
    MainWindowFixture f;
    copyTemplate(f.folder, "OrgKemlora.mdb");
    const std::string working = copyTemplate(f.folder, "Kemlora.mdb");
    clearAllTables(working);

    f.window->startUp(f.folder.path().string() + "/");

    EXPECT_EQ(f.state.AppPath, f.folder.path().string() + "/");
    ASSERT_TRUE(f.state.MainDatabase);
    EXPECT_TRUE(f.state.F10KBNTable->empty()) << "the template was copied over the user's file";
}

TEST(StartUp, withoutAUsableFileTheProgramRunsWithNoFileOpenAndSaysWhy) {
    struct Case {
        const char *name;
        bool templatePresent;
        const char *workingFileText; // nullptr: no working file
        const char *message;
    };
    const Case cases[] = {
        {"no file at all", false, nullptr, "データファイルがなく、基準ファイルもないため"},
        {"a working file that is no data file", true, "not a data file", "データファイルを開けませんでした。"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture f;
        f.registerCounting("frmCalendar");
        f.registerCounting("frmACT0100");
        if (c.templatePresent) copyTemplate(f.folder, "OrgKemlora.mdb");
        if (c.workingFileText) std::ofstream(f.folder.file("Kemlora.mdb")) << c.workingFileText;

        f.window->startUp(f.folder.path().string());

        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_NE(f.messages.shown[0].find(c.message), std::string::npos) << f.messages.shown[0];
        EXPECT_FALSE(f.state.MainDatabase);
        EXPECT_EQ(f.window->windowTitle(), QString::fromUtf8("経理処理"));
        EXPECT_EQ(f.state.CalendarDate, MainWindowFixture::Today);
        EXPECT_EQ(fs::exists(f.folder.file("Kemlora.mdb")), c.workingFileText != nullptr);

        // A window that needs data is not opened on no data; the user hears why.
        f.choose("mnuDEN");
        EXPECT_EQ(f.loads["frmACT0100"], 0);
        EXPECT_NE(f.messages.shown.back().find("データファイルが開かれていません。"), std::string::npos);
        // The calendar still works.
        f.choose("mnuCalendar");
        EXPECT_EQ(f.openNames(), "frmCalendar");
    }
}

TEST(StartUp, theCaptionFollowsTheFileTheFileMenuOpens) {
    MainWindowFixture f;
    f.startInFolderWithTemplate();
    const std::string other = copyTemplate(f.folder, "other.mdb");
    const std::string broken = f.folder.file("broken.mdb");
    std::ofstream(broken) << "not a data file";

    f.fileDialog.answers = {other};
    f.choose("mnuREAD");
    EXPECT_EQ(f.window->windowTitle().toStdString(), shell::MainCaption(other));

    f.fileDialog.answers = {broken};
    f.choose("mnuREAD");
    EXPECT_TRUE(f.state.MainDatabase);
    EXPECT_EQ(f.window->windowTitle().toStdString(), shell::MainCaption(other));
}
