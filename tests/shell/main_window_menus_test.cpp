#include "main_window_fixture.h"

#include "shell/calendar_window.h"

#include <QComboBox>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The menu bar as text: one line per entry, "──" for a separator.
QStringList menuLines(shell::frmKemlora &window) {
    QStringList lines;
    for (QAction *top : window.menuBar()->actions()) {
        lines << top->objectName() + " " + top->text();
        if (!top->menu()) continue;
        for (QAction *entry : top->menu()->actions()) {
            lines << "  " + entry->objectName() + " " + (entry->isSeparator() ? QString("──") : entry->text());
            EXPECT_TRUE(entry->shortcut().isEmpty() && !entry->isCheckable() && entry->isEnabled())
                << entry->objectName().toStdString();
        }
    }
    return lines;
}

struct OpenMainWindow : MainWindowFixture {
    OpenMainWindow() {
        registerCounting("frmCalendar");
        startInFolderWithTemplate();
    }
};

} // namespace

TEST(Menus, theMenuBarHoldsEveryEntryWithItsCaptionInOrder) {
    MainWindowFixture f;
    const QStringList expected = QString::fromUtf8(R"(mnuFILE ファイル(&F)
  mnuNEW ファイルの初期化 (&N)
  mnuREAD 既存ファイルから選択(&R)
  mnuFSave 現状ファイルの保存(&S)
  mnuLF1 ──
  mnuEND 終了(&E)
mnuWIND 表示(&W)
  mnuWindowCascade 重ねて表示(&C)
  mnuWindowTileUD 上下に並べて表示(&H)
  mnuWindowTileLR 左右に並べて表示(&V)
  mnuWL1 ──
  mnuWindowArrangeIcon ｱｲｺﾝの整列(&A)
mnuDAY 日次処理(&B)
  mnuDEN 経理伝票の登録(&D)
  mnuNIPPO 経理日報の作成(&R)
mnuMONTH 月次処理(&M)
  mnuMSIME 月次集計(&R)
  mnuZAN 現金残高調整(&Z)
  mnuML1 ──
  mnuCASHBOOK 現金出納簿の作成(&C)
  mnuPL 費目一覧の作成(&P)
  mnuML2 ──
  mnuMOTOCHO 元帳の作成(&M)
mnuANNU 年次処理(&A)
  mnuGOUKEI 年間集計表の作成(&G)
  mnuSIME 年次〆(&S)
  mnuAL1 ──
  mnuASSDTL 減価償却明細の入力(&D)
  mnuASSETLIST 減価償却明細の作成(&L)
mnuMASTER マスター処理(&T)
  mnuKAMOKU 勘定科目登録(&K)
  mnuKAMOKULIST 科目一覧表(&L)
  mnuTEKI 摘要登録(&T)
  mnuTEKILIST 摘要一覧表(&M)
  mnuMSL1 ──
  mnuASSET 資産登録(&S)
  mnuASSLIST 資産台帳(&N)
  mnuMSL2 ──
  mnuCODE コード登録(&C)
  mnuCLIST コード一覧(&D)
  mnuSLM3 ──
  mnuCODEKBN コード区分登録(&B)
  mnuCNTR 制御情報登録(&R)
mnuBL1 
mnuBL2 カレンダーの表示(&C)
  mnuCalendar カレンダーの表示(&C)
mnBL3 ヘルプ(&H)
  mnuHelp 操作説明(&O)
  mnuBL5 ──
  mnuAbout バージョン情報(&V))")
                                     .split('\n');
    EXPECT_EQ(menuLines(*f.window).join('\n').toStdString(), expected.join('\n').toStdString());
}

TEST(Menus, aTaskWindowLoadsOnceAndIsBroughtToTheFrontWhenChosenAgain) {
    OpenMainWindow f;
    for (const char *name : {"frmACT0100", "frmACT0210", "frmACT0400"})
        f.registerCounting(name);

    f.choose("mnuDEN");
    f.choose("mnuZAN");
    EXPECT_EQ(f.activeName(), "frmACT0210");
    f.choose("mnuDEN");
    EXPECT_EQ(f.activeName(), "frmACT0100");
    EXPECT_EQ(f.loads["frmACT0100"], 1);

    // Both asset entries lead to the one asset register.
    f.choose("mnuASSET");
    f.choose("mnuASSDTL");
    EXPECT_EQ(f.loads["frmACT0400"], 1);
    EXPECT_EQ(f.openNames(), "frmCalendar,frmACT0100,frmACT0210,frmACT0400");

    // A window of a later task does nothing yet, and says nothing.
    f.choose("mnuCODE");
    f.choose("mnuAbout");
    EXPECT_EQ(f.window->openWindowNames().size(), 4);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(Menus, eachReportEntrySetsItsNumberBeforeTheReportDialogLoads) {
    OpenMainWindow f;
    f.registerCounting("frmPrint");
    const std::pair<const char *, int> entries[] = {
        {"mnuCLIST", 1}, {"mnuKAMOKULIST", 2}, {"mnuTEKILIST", 3}, {"mnuNIPPO", 4},     {"mnuCASHBOOK", 5},
        {"mnuPL", 6},    {"mnuMOTOCHO", 7},    {"mnuASSLIST", 8},  {"mnuASSETLIST", 9}, {"mnuGOUKEI", 10},
    };
    for (const auto &[entry, reportNo] : entries) {
        SCOPED_TRACE(entry);
        f.choose(entry);
        EXPECT_EQ(f.state.PrintReportNo, reportNo);
        EXPECT_EQ(f.seenReportNo["frmPrint"], reportNo);
        f.window->findChild("frmPrint")->closeByProgram();
    }
    EXPECT_EQ(f.loads["frmPrint"], 10);
}

TEST(Menus, theClosingEntriesCloseEveryWindowAndLeaveTheCalendarBesideTheClosingDialog) {
    OpenMainWindow f;
    f.registerCounting("frmSIME");
    for (int i = 1; i <= 13; ++i) {
        const QString name = QString("frmTask%1").arg(i);
        f.registerCounting(name);
        f.window->showChild(name);
    }
    f.state.CalendarOwnerForm = "frmACT0100";

    f.choose("mnuMSIME");
    EXPECT_EQ(f.openNames(), "frmCalendar,frmSIME");
    EXPECT_EQ(f.state.SimeMode, 1);
    EXPECT_EQ(f.seenSimeMode["frmSIME"], 1);
    EXPECT_EQ(f.state.CalendarOwnerForm, "");
    EXPECT_EQ(f.userCloses, 0) << "a close by the program ran a window's own close steps";

    // The dialog loads afresh, so it sees the new mode.
    f.choose("mnuSIME");
    EXPECT_EQ(f.openNames(), "frmCalendar,frmSIME");
    EXPECT_EQ(f.loads["frmSIME"], 2);
    EXPECT_EQ(f.seenSimeMode["frmSIME"], 2);
    EXPECT_EQ(f.loads["frmCalendar"], 3);

    // A user's close still runs them.
    f.window->mdiArea()->activeSubWindow()->close();
    EXPECT_EQ(f.userCloses, 1);
    EXPECT_EQ(f.openNames(), "frmCalendar");
}

TEST(Menus, aDatabaseErrorInACommandIsShownAndTheProgramGoesOn) {
    OpenMainWindow f;
    f.window->registerWindow(
        "frmACT0100", []() -> shell::ChildWindow * { throw db::DbError(db::NoCurrentRecord, "No current record."); });
    f.registerCounting("frmACT0210");

    f.choose("mnuDEN");
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0], "Err.Number = 3021 No current record.");

    f.choose("mnuZAN");
    EXPECT_EQ(f.activeName(), "frmACT0210");
    EXPECT_TRUE(f.state.MainDatabase);
}

TEST(Menus, helpOpensThePageBesideTheProgramAndTheCalendarFollowsTheCalendarDate) {
    MainWindowFixture f;
    f.window->registerWindow("frmCalendar", [&f] {
        return new shell::frmCalendar(f.state, [&f](const QString &name) { return f.window->findChild(name); });
    });
    f.startInFolderWithTemplate();

    f.choose("mnuHelp");
    EXPECT_EQ(f.desktop.opened, std::vector<std::string>{f.folder.path().string() + "/Manual/manual.html"});

    f.state.CalendarDate = 20240229;
    f.state.syncCalendar();
    auto *calendar = qobject_cast<shell::frmCalendar *>(f.window->findChild("frmCalendar"));
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->Combo1(0)->currentText(), "2024");
    EXPECT_EQ(calendar->Combo1(1)->currentText(), "2");
}

TEST(Menus, endingClosesTheDataFileWithoutTheWindowsOwnCloseSteps) {
    OpenMainWindow f;
    f.registerCounting("frmACT0100");
    f.choose("mnuDEN");

    f.choose("mnuEND");
    EXPECT_FALSE(f.state.MainDatabase);
    EXPECT_FALSE(f.state.F45Table);
    EXPECT_EQ(f.userCloses, 0);
    EXPECT_TRUE(f.window->openWindowNames().isEmpty());
}
