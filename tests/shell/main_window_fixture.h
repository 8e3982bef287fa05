// A main window on a program state with scripted services, and task windows that count their loads.
#pragma once

#include "shell/main_window.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <map>
#include <memory>

namespace testing_support {

// A task window that records what it saw when it loaded and whether a user's close ran.
class CountingWindow : public shell::ChildWindow {
public:
    CountingWindow(const QString &name, int &userCloses) : ChildWindow(name), userCloses_(userCloses) {}

protected:
    bool userCloseRequested() override {
        ++userCloses_;
        return true;
    }

private:
    int &userCloses_;
};

struct MainWindowFixture {
    static constexpr std::int32_t Today = 20260415;

    MainWindowFixture() {
        state.messages = &messages;
        state.fileDialog = &fileDialog;
        state.desktop = &desktop;
        state.registry = &registry;
        state.today = [] { return Today; };
        window = std::make_unique<shell::frmKemlora>(state);
        window->resize(900, 700);
    }

    // Registers a window that counts its loads and notes PrintReportNo and SimeMode at each load.
    void registerCounting(const QString &name) {
        window->registerWindow(name, [this, name] {
            ++loads[name];
            seenReportNo[name] = state.PrintReportNo;
            seenSimeMode[name] = state.SimeMode;
            return new CountingWindow(name, userCloses);
        });
    }

    // Chooses a menu entry the way a click does.
    void choose(const char *entry) {
        auto *action = window->findChild<QAction *>(entry);
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }

    // The open task windows as one line, so a failure reads plainly.
    std::string openNames() const { return window->openWindowNames().join(",").toStdString(); }

    QString activeName() const {
        auto *active = window->mdiArea()->activeSubWindow();
        return active && active->widget() ? active->widget()->objectName() : QString();
    }

    void startInFolderWithTemplate() {
        copyTemplate(folder, "OrgKemlora.mdb");
        window->startUp(folder.path().string());
    }

    TempFolder folder;
    ScriptedMessages messages;
    ScriptedFileDialog fileDialog;
    ScriptedDesktop desktop;
    ScriptedRegistry registry;
    data::ProgramState state;
    std::unique_ptr<shell::frmKemlora> window;
    std::map<QString, int> loads;
    std::map<QString, int> seenReportNo;
    std::map<QString, int> seenSimeMode;
    int userCloses = 0;
};

} // namespace testing_support
