// The menu bar of the main window: the tree of entries as data, and what each entry does.
#include "shell/main_window.h"
#include "shell/window_arrangement.h"

#include <QMenuBar>

namespace shell {

namespace {

struct MenuEntry {
    const char* name;
    const char* caption; // nullptr: a separator line
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<MenuEntry> entries; // none: a place on the menu bar without a menu
};

const std::vector<Menu>& menuTree() {
    static const std::vector<Menu> tree = {
        {"mnuFILE",
         "ファイル(&F)",
         {{"mnuNEW", "ファイルの初期化 (&N)"},
          {"mnuREAD", "既存ファイルから選択(&R)"},
          {"mnuFSave", "現状ファイルの保存(&S)"},
          {"mnuLF1", nullptr},
          {"mnuEND", "終了(&E)"}}},
        {"mnuWIND",
         "表示(&W)",
         {{"mnuWindowCascade", "重ねて表示(&C)"},
          {"mnuWindowTileUD", "上下に並べて表示(&H)"},
          {"mnuWindowTileLR", "左右に並べて表示(&V)"},
          {"mnuWL1", nullptr},
          {"mnuWindowArrangeIcon", "ｱｲｺﾝの整列(&A)"}}},
        {"mnuDAY", "日次処理(&B)", {{"mnuDEN", "経理伝票の登録(&D)"}, {"mnuNIPPO", "経理日報の作成(&R)"}}},
        {"mnuMONTH",
         "月次処理(&M)",
         {{"mnuMSIME", "月次集計(&R)"},
          {"mnuZAN", "現金残高調整(&Z)"},
          {"mnuML1", nullptr},
          {"mnuCASHBOOK", "現金出納簿の作成(&C)"},
          {"mnuPL", "費目一覧の作成(&P)"},
          {"mnuML2", nullptr},
          {"mnuMOTOCHO", "元帳の作成(&M)"}}},
        {"mnuANNU",
         "年次処理(&A)",
         {{"mnuGOUKEI", "年間集計表の作成(&G)"},
          {"mnuSIME", "年次〆(&S)"},
          {"mnuAL1", nullptr},
          {"mnuASSDTL", "減価償却明細の入力(&D)"},
          {"mnuASSETLIST", "減価償却明細の作成(&L)"}}},
        {"mnuMASTER",
         "マスター処理(&T)",
         {{"mnuKAMOKU", "勘定科目登録(&K)"},
          {"mnuKAMOKULIST", "科目一覧表(&L)"},
          {"mnuTEKI", "摘要登録(&T)"},
          {"mnuTEKILIST", "摘要一覧表(&M)"},
          {"mnuMSL1", nullptr},
          {"mnuASSET", "資産登録(&S)"},
          {"mnuASSLIST", "資産台帳(&N)"},
          {"mnuMSL2", nullptr},
          {"mnuCODE", "コード登録(&C)"},
          {"mnuCLIST", "コード一覧(&D)"},
          {"mnuSLM3", nullptr},
          {"mnuCODEKBN", "コード区分登録(&B)"},
          {"mnuCNTR", "制御情報登録(&R)"}}},
        {"mnuBL1", "", {}},
        {"mnuBL2", "カレンダーの表示(&C)", {{"mnuCalendar", "カレンダーの表示(&C)"}}},
        {"mnBL3", "ヘルプ(&H)", {{"mnuHelp", "操作説明(&O)"}, {"mnuBL5", nullptr}, {"mnuAbout", "バージョン情報(&V)"}}},
    };
    return tree;
}

} // namespace

void frmKemlora::makeActions() {
    auto show = [this](const char* formName) { return [this, formName] { showTaskWindow(formName); }; };
    auto report = [this](std::int16_t reportNo) { return [this, reportNo] { showReport(reportNo); }; };
    auto closing = [this](std::int16_t mode) { return [this, mode] { showClosing(mode); }; };
    auto arrange = [this](void (*how)(QMdiArea&)) { return [this, how] { how(*mdiArea_); }; };

    commands_ = {
        {"mnuNEW", [this] { runFileCommand(&FileCommands::mnuNEW); }},
        {"mnuREAD", [this] { runFileCommand(&FileCommands::mnuREAD); }},
        {"mnuFSave", [this] { runFileCommand(&FileCommands::mnuFSave); }},
        {"mnuEND", [this] { close(); }},
        {"mnuWindowCascade", arrange(cascadeWindows)},
        {"mnuWindowTileUD", arrange(tileOneAboveAnother)},
        {"mnuWindowTileLR", arrange(tileSideBySide)},
        {"mnuWindowArrangeIcon", arrange(arrangeIcons)},
        {"mnuDEN", show("frmACT0100")},
        {"mnuNIPPO", report(4)},
        {"mnuMSIME", closing(1)},
        {"mnuZAN", show("frmACT0210")},
        {"mnuCASHBOOK", report(5)},
        {"mnuPL", report(6)},
        {"mnuMOTOCHO", report(7)},
        {"mnuGOUKEI", report(10)},
        {"mnuSIME", closing(2)},
        {"mnuASSDTL", show("frmACT0400")},
        {"mnuASSETLIST", report(9)},
        {"mnuKAMOKU", show("frmACT0010")},
        {"mnuKAMOKULIST", report(2)},
        {"mnuTEKI", show("frmACT0030")},
        {"mnuTEKILIST", report(3)},
        {"mnuASSET", show("frmACT0400")},
        {"mnuASSLIST", report(8)},
        {"mnuCODE", show("frmCMNCODE")},
        {"mnuCLIST", report(1)},
        {"mnuCODEKBN", show("frmCODEKBN")},
        {"mnuCNTR", show("frmCMNCNTR")},
        {"mnuCalendar", [this] { showChild("frmCalendar"); }},
        {"mnuHelp", [this] { openHelp(); }},
        {"mnuAbout", [this] { showChild("frmAbout"); }},
    };
}

void frmKemlora::makeMenus() {
    QMenuBar* bar = menuBar();
    for (const auto& menu : menuTree()) {
        const QString caption = QString::fromUtf8(menu.caption);
        if (menu.entries.empty()) {
            // A blank place on the bar that does nothing when chosen.
            QAction* blank = bar->addAction(caption);
            blank->setObjectName(menu.name);
            continue;
        }
        QMenu* dropDown = bar->addMenu(caption);
        dropDown->setObjectName(menu.name);
        dropDown->menuAction()->setObjectName(menu.name);
        for (const auto& entry : menu.entries) {
            QAction* action =
                entry.caption ? dropDown->addAction(QString::fromUtf8(entry.caption)) : dropDown->addSeparator();
            action->setObjectName(entry.name);
            const auto command = commands_.find(entry.name);
            if (command == commands_.end()) continue;
            connect(action, &QAction::triggered, this, [this, run = command->second] { runCommand(run); });
        }
    }
}

} // namespace shell
