// The main window with the journal's windows and the calendar registered as the program registers them,
// started on a copy of the template and shown, so that focus moves as a user meets them.
#pragma once

#include "journal/cash_balance_window.h"
#include "journal/closing_dialog_window.h"
#include "journal/voucher_entry_window.h"
#include "shell/calendar_window.h"
#include "shell/main_window_fixture.h"

#include <QApplication>
#include <QTest>

namespace testing_support {

struct JournalMainWindow : MainWindowFixture {
    JournalMainWindow() {
        window->registerWindow("frmCalendar", [this] {
            return new shell::frmCalendar(state, [this](const QString& name) { return window->findChild(name); });
        });
        window->registerWindow("frmACT0100", [this] { return new journal::frmACT0100(state); });
        window->registerWindow("frmACT0210", [this] { return journal::frmACT0210::create(state); });
        window->registerWindow("frmSIME", [this] { return new journal::frmSIME(state); });
        window->show();
        startInFolderWithTemplate();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <class Window> Window* open(const char* entry, const char* formName) {
        choose(entry);
        QApplication::processEvents();
        return qobject_cast<Window*>(window->findChild(formName));
    }
    void activate(QWidget* child) {
        window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
        QApplication::processEvents();
    }
    std::string dataFile() const { return folder.path().string() + "/Kemlora.mdb"; }
};

} // namespace testing_support
