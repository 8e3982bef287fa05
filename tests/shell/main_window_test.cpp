// The main window: start-up, the menu dispatch and the window arrangements.
#include "main_window_fixture.h"

#include "shell/calendar_window.h"
#include "shell/data_file.h"
#include "shell/entry_window.h"
#include "support/window_test.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QStyle>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

struct ThreeWindows : MainWindowFixture {
    ThreeWindows() {
        window->show();
        for (const char* name : names) {
            registerCounting(name);
            window->showChild(name)->resize(200, 150);
        }
    }
    QMdiSubWindow* sub(const char* name) {
        return qobject_cast<QMdiSubWindow*>(window->findChild(name)->parentWidget());
    }
    QRect room() const { return window->mdiArea()->viewport()->rect(); }
    const char* names[3] = {"frmA", "frmB", "frmC"};
};

// A task window laid out for 4935 by 5175 twips, as the cash balance table is.
class LaidOutWindow : public shell::EntryWindow {
public:
    explicit LaidOutWindow(data::ProgramState& state) : EntryWindow(state, "frmLAIDOUT", {}) {
        setPlacement(4935, 5175);
    }
};

// Side by side is one above another with the axes swapped.
QRect swapped(const QRect& r, bool swap) { return swap ? QRect(r.y(), r.x(), r.height(), r.width()) : r; }

} // namespace

TEST(StartUp, aNewUserGetsAWorkingFileMadeFromTheTemplateAndOpenedWithNoWindowInIt) {
    MainWindowFixture f;
    f.window->registerWindow("frmCalendar", [&f] {
        return new shell::frmCalendar(f.state, [&f](const QString& name) { return f.window->findChild(name); });
    });
    f.startInFolderWithTemplate();

    const std::string folder = f.folder.path().string(), working = folder + "/Kemlora.mdb";
    EXPECT_EQ(f.state.AppPath, folder + "/");
    EXPECT_EQ(f.state.DataFilePath, working);
    EXPECT_EQ(f.state.TemplateFilePath, folder + "/OrgKemlora.mdb");
    EXPECT_TRUE(f.state.MainDatabase && f.state.F45Table && f.state.F50Table);
    EXPECT_EQ(f.window->windowTitle().toStdString(), "経理処理　　　　（" + working + "）");
    EXPECT_EQ(f.state.CalendarDate, MainWindowFixture::Today);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.openNames(), "") << "the calendar does not open by itself";
    f.window->show();
    f.choose("mnuCalendar");
    auto* calendar = qobject_cast<shell::frmCalendar*>(f.window->findChild("frmCalendar"));
    ASSERT_NE(calendar, nullptr);
    const auto shown = [calendar] {
        return calendar->Combo1(0)->currentText() + "/" + calendar->Combo1(1)->currentText();
    };
    EXPECT_EQ(shown(), "2026/4");
    EXPECT_EQ(calendar->parentWidget()->geometry().right() + 1, f.window->mdiArea()->viewport()->width())
        << "the calendar stands at the right edge";
    f.state.CalendarDate = 20240229;
    f.state.syncCalendar(); // the calendar follows the calendar date
    EXPECT_EQ(shown(), "2024/2");

    // The caption follows the file the file menu opens; neither a file that does not open nor a saved copy is.
    const std::string other = copyTemplate(f.folder, "other.mdb");
    f.fileDialog.answers = {other, f.folder.file("missing.mdb"), f.folder.file("copy.mdb")};
    for (const char* entry : {"mnuREAD", "mnuREAD", "mnuFSave"}) {
        f.choose(entry);
        EXPECT_EQ(f.window->windowTitle().toStdString(), "経理処理　　　　（" + other + "）") << entry;
    }
    EXPECT_TRUE(fs::exists(f.folder.file("copy.mdb")));
}

TEST(StartUp, anExistingWorkingFileIsOpenedAsItIsAndAFolderEndingInASlashKeepsOneSlash) {
    MainWindowFixture f;
    copyTemplate(f.folder, "OrgKemlora.mdb");
    clearAllTables(copyTemplate(f.folder, "Kemlora.mdb"));
    f.window->startUp(f.folder.path().string() + "/");
    EXPECT_EQ(f.state.AppPath, f.folder.path().string() + "/");
    ASSERT_TRUE(f.state.MainDatabase);
    EXPECT_TRUE(f.state.F10KBNTable->empty()) << "the template was copied over the user's file";
}

TEST(StartUp, withoutAUsableFileTheProgramRunsWithNoFileOpenAndSaysWhy) {
    struct Case {
        const char* name;
        bool templatePresent;
        const char* workingFileText; // nullptr: no working file
        const char* message;
    } cases[] = {
        {"no file at all", false, nullptr, "データファイルがなく、基準ファイルもないため"},
        {"a working file that is no data file", true, "not a data file", "データファイルを開けませんでした。"}};
    for (const auto& c : cases) {
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

        // A window that needs data is not opened on no data; the user hears why. The calendar still works.
        f.choose("mnuDEN");
        EXPECT_EQ(f.loads["frmACT0100"], 0);
        EXPECT_NE(f.messages.shown.back().find("データファイルが開かれていません。"), std::string::npos);
        f.choose("mnuCalendar");
        EXPECT_EQ(f.openNames(), "frmCalendar");
    }
}

TEST(Menus, eachEntryOpensItsWindowOnceAndBringsItToTheFrontWhenChosenAgain) {
    MainWindowFixture f(true);
    // A window of a later task does nothing yet, and says nothing.
    f.choose("mnuCODE");
    EXPECT_EQ(f.openNames(), "");

    const std::pair<const char*, const char*> entries[] = {
        {"mnuDEN", "frmACT0100"},       {"mnuZAN", "frmACT0210"},  {"mnuASSDTL", "frmACT0400"},
        {"mnuKAMOKU", "frmACT0010"},    {"mnuTEKI", "frmACT0030"}, {"mnuCODE", "frmCMNCODE"},
        {"mnuCODEKBN", "frmCODEKBN"},   {"mnuCNTR", "frmCMNCNTR"}, {"mnuAbout", "frmAbout"},
        {"mnuASSET", "frmACT0400"}, // both asset entries lead to the one asset register
        {"mnuCalendar", "frmCalendar"}, {"mnuDEN", "frmACT0100"}};
    for (const auto& [entry, name] : entries) {
        f.registerCounting(name);
        f.choose(entry);
        EXPECT_EQ(f.activeName(), name) << entry;
        EXPECT_EQ(f.loads[name], 1) << entry;
    }
    EXPECT_EQ(f.window->openWindowNames().size(), 10);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(Menus, theHelpEntryOpensTheHelpPageOrSaysItCouldNotNamingThePage) {
    MainWindowFixture f(true);
    const std::string page = f.folder.path().string() + "/Manual/manual.html";
    fs::create_directory(f.folder.file("Manual"));
    for (const auto& [pageThere, browser, said] :
         {std::tuple{true, true, false}, {true, false, true}, {false, true, true}}) {
        if (pageThere)
            std::ofstream(page) << "<html></html>";
        else
            fs::remove(page);
        f.desktop.succeed = browser;
        f.messages.shown.clear();
        f.choose("mnuHelp");
        EXPECT_EQ(f.messages.shown, only(said ? "操作説明を開けませんでした。\n" + page : "")) << pageThere << browser;
    }
    EXPECT_EQ(f.desktop.opened, std::vector<std::string>(2, page)) << "a missing page goes to no browser";
}

TEST(Menus, eachReportEntryLoadsTheDialogAfreshForItsReport) {
    MainWindowFixture f(true);
    f.registerCounting("frmPrint");
    const std::pair<const char*, int> entries[] = {
        {"mnuCLIST", 1}, {"mnuKAMOKULIST", 2}, {"mnuTEKILIST", 3}, {"mnuNIPPO", 4},     {"mnuCASHBOOK", 5},
        {"mnuPL", 6},    {"mnuMOTOCHO", 7},    {"mnuASSLIST", 8},  {"mnuASSETLIST", 9}, {"mnuGOUKEI", 10}};
    for (const auto& [entry, reportNo] : entries) {
        f.choose(entry);
        EXPECT_EQ(f.seenReportNo["frmPrint"], reportNo) << entry << ": set before the dialog loads";
        EXPECT_EQ(f.openNames(), "frmPrint") << entry;
    }
    EXPECT_EQ(f.loads["frmPrint"], 10);
    f.choose("mnuGOUKEI"); // the same report only brings the dialog forward
    EXPECT_EQ(f.loads["frmPrint"], 10);
    EXPECT_EQ(f.userCloses, 0) << "the dialog was closed by the program, not by a user";

    // A report without module does nothing and leaves the open dialog alone.
    f.window->setReportAvailable([](std::int16_t reportNo) { return reportNo == 10; });
    f.choose("mnuCASHBOOK");
    EXPECT_EQ(f.state.PrintReportNo, 10);
    EXPECT_EQ(f.loads["frmPrint"], 10);
    EXPECT_EQ(f.openNames(), "frmPrint");
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(Menus, theClosingEntriesCloseEveryWindowAndLeaveTheCalendarBesideTheClosingDialog) {
    MainWindowFixture f(true);
    f.registerCounting("frmSIME");
    for (int i = 1; i <= 13; ++i) {
        f.registerCounting(QString("frmTask%1").arg(i));
        f.window->showChild(QString("frmTask%1").arg(i));
    }
    f.state.CalendarOwnerForm = "frmACT0100";

    f.choose("mnuMSIME");
    EXPECT_EQ(f.openNames(), "frmCalendar,frmSIME");
    EXPECT_EQ(f.seenSimeMode["frmSIME"], 1);
    EXPECT_EQ(f.state.CalendarOwnerForm, "");
    EXPECT_EQ(f.userCloses, 0) << "a close by the program ran a window's own close steps";

    // The dialog loads afresh, so it sees the new mode.
    f.choose("mnuSIME");
    EXPECT_EQ(f.openNames(), "frmCalendar,frmSIME");
    EXPECT_EQ(f.seenSimeMode["frmSIME"], 2);
    EXPECT_EQ(f.loads["frmCalendar"], 2);

    // A user's close still runs them.
    f.window->mdiArea()->activeSubWindow()->close();
    EXPECT_EQ(f.userCloses, 1);
    EXPECT_EQ(f.openNames(), "frmCalendar");
}

TEST(Menus, aDatabaseErrorInACommandIsShownAndTheProgramGoesOn) {
    MainWindowFixture f(true);
    f.window->registerWindow("frmACT0100", []() -> shell::ChildWindow* {
        throw db::DbError(db::NoCurrentRecord, "カレント レコードがありません。");
    });
    f.registerCounting("frmACT0210");
    f.choose("mnuDEN");
    EXPECT_EQ(f.messages.shown, std::vector<std::string>{"Err.Number =  3021 (カレント レコードがありません。)"});
    f.choose("mnuZAN");
    EXPECT_EQ(f.activeName(), "frmACT0210");
    EXPECT_TRUE(f.state.MainDatabase);
}

TEST(Menus, endingClosesTheDataFileWithoutTheWindowsOwnCloseSteps) {
    MainWindowFixture f(true);
    f.registerCounting("frmACT0100");
    f.choose("mnuDEN");
    f.choose("mnuEND");
    EXPECT_FALSE(f.state.MainDatabase);
    EXPECT_FALSE(f.state.F45Table);
    EXPECT_EQ(f.userCloses, 0);
    EXPECT_TRUE(f.window->openWindowNames().isEmpty());
}

TEST(WindowArrangement, theTilingsShareTheAreaOneAboveAnotherOrSideBySideAndCascadeStaggers) {
    ThreeWindows f;
    f.sub("frmC")->showMaximized(); // an arrangement brings it back to its normal state
    for (const bool sideBySide : {false, true}) {
        f.choose(sideBySide ? "mnuWindowTileLR" : "mnuWindowTileUD");
        const QRect room = swapped(f.room(), sideBySide);
        int top = 0;
        for (const char* name : f.names) {
            EXPECT_FALSE(f.sub(name)->isMaximized()) << name;
            const QRect frame = swapped(f.sub(name)->geometry(), sideBySide);
            EXPECT_EQ(frame.left(), 0) << name;
            EXPECT_EQ(frame.width(), room.width()) << name;
            EXPECT_EQ(frame.top(), top) << name;
            top = frame.bottom() + 1;
        }
        EXPECT_EQ(top, room.height()) << sideBySide;
    }

    // Cascaded, each window stands one caption down and right of the one behind it: every caption in sight.
    f.choose("mnuWindowCascade");
    const int caption = f.sub("frmA")->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, f.sub("frmA"));
    const QPoint a = f.sub("frmA")->pos(), b = f.sub("frmB")->pos(), c = f.sub("frmC")->pos();
    EXPECT_EQ(a, QPoint(0, 0));
    EXPECT_EQ(b - a, QPoint(caption, caption));
    EXPECT_EQ(c - b, QPoint(caption, caption));
}

TEST(WindowArrangement, iconsLineUpAlongTheBottomAndTilingLeavesThemRoom) {
    ThreeWindows f;
    f.sub("frmA")->showMinimized();
    f.sub("frmC")->showMinimized();
    f.sub("frmA")->move(300, 40);

    f.choose("mnuWindowArrangeIcon");
    const QRect room = f.room();
    const QRect a = f.sub("frmA")->geometry(), c = f.sub("frmC")->geometry();
    EXPECT_EQ(a.topLeft(), QPoint(0, room.height() - a.height()));
    EXPECT_EQ(c.topLeft(), QPoint(a.width(), room.height() - c.height()));

    f.choose("mnuWindowTileUD");
    const QRect b = f.sub("frmB")->geometry();
    EXPECT_EQ(b.top(), 0);
    EXPECT_EQ(b.bottom() + 1, a.top()) << "the tiled window covers the icons";
    EXPECT_TRUE(f.sub("frmA")->isMinimized());
}

TEST(WindowArrangement, noArrangementMakesAWindowSmallerThanItsOpeningSizeAndTheAreaScrollsInstead) {
    MainWindowFixture f;
    f.window->registerWindow("frmCalendar", [&f] { return new shell::frmCalendar(f.state, {}); });
    f.window->registerWindow("frmLAIDOUT", [&f] { return new LaidOutWindow(f.state); });
    f.window->resize(420, 360);
    f.window->show();
    QWidget* subs[] = {f.window->showChild("frmCalendar")->parentWidget(),
                       f.window->showChild("frmLAIDOUT")->parentWidget()};
    const QSize opened[] = {subs[0]->size(), subs[1]->size()};
    for (const std::string entry : {"mnuWindowCascade", "mnuWindowTileUD", "mnuWindowTileLR", "mnuWindowCascade"}) {
        const QSize before[] = {subs[0]->size(), subs[1]->size()};
        f.choose(entry.c_str());
        for (int i : {0, 1}) // cascading keeps the size, tiling never goes below the opening size
            EXPECT_EQ(subs[i]->size(), entry == "mnuWindowCascade" ? before[i] : subs[i]->size().expandedTo(opened[i]))
                << entry << " " << i;
    }
    EXPECT_EQ(subs[0]->size(), opened[0]) << "a window of fixed size is not stretched";
    f.choose("mnuWindowTileUD"); // together they are taller than the area
    QApplication::processEvents();
    EXPECT_TRUE(f.window->mdiArea()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(f.window->mdiArea()->horizontalScrollBar()->isVisible()) << "the windows leave the scroll bar room";
    subs[1]->resize(40, 30); // nor can the mouse squeeze a window
    EXPECT_EQ(subs[1]->size(), opened[1]);
}
