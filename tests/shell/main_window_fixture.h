// A main window on a program state with scripted services, and task windows that count their loads.
#pragma once

#include "shell/main_window.h"
#include "support/test_files.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace testing_support {

// A task window that counts the closes a user asked for.
class CountingWindow : public shell::ChildWindow {
public:
    CountingWindow(const QString& name, int& userCloses) : ChildWindow(name), userCloses_(userCloses) {}

protected:
    bool userCloseRequested() override { return ++userCloses_ > 0; }

private:
    int& userCloses_;
};

struct MainWindowFixture : ScriptedServices {
    static constexpr std::int32_t Today = 20260415;

    // `started`: the calendar counts its loads and the program has started on a copy of the template.
    explicit MainWindowFixture(bool started = false) {
        attach(state, Today);
        window = std::make_unique<shell::frmKemlora>(state);
        window->resize(900, 700);
        if (!started) return;
        registerCounting("frmCalendar");
        startInFolderWithTemplate();
    }

    // A window that counts its loads and notes PrintReportNo and SimeMode as each load saw them.
    void registerCounting(const QString& name) {
        window->registerWindow(name, [this, name] {
            ++loads[name];
            seenReportNo[name] = state.PrintReportNo;
            seenSimeMode[name] = state.SimeMode;
            return new CountingWindow(name, userCloses);
        });
    }
    // Chooses a menu entry the way a click does.
    void choose(const char* entry) {
        auto* action = window->findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }
    // The open task windows as one line, so a failure reads plainly.
    std::string openNames() const { return window->openWindowNames().join(",").toStdString(); }
    QString activeName() const {
        auto* active = window->mdiArea()->activeSubWindow();
        return active && active->widget() ? active->widget()->objectName() : QString();
    }
    void startInFolderWithTemplate() {
        copyTemplate(folder, "OrgKemlora.mdb");
        window->startUp(folder.path().string());
    }

    TempFolder folder;
    data::ProgramState state;
    std::unique_ptr<shell::frmKemlora> window;
    std::map<QString, int> loads, seenReportNo, seenSimeMode;
    int userCloses = 0;
};

} // namespace testing_support
