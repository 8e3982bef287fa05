// The journal's windows side by side in the main window: what one window or the program does while
// another holds figures or a half-typed field.
#include "data/table_rows.h"
#include "journal/journal_main_window.h"

#include "support/window_test.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace {

using testing_support::JournalMainWindow;

constexpr int AprilReceipts = 10; // the template's fiscal year starts in January

// A window the program closes, or takes along when it ends, is not being left by its user: a half-typed
// field is neither checked nor taken on the way out.
TEST(JournalInMainWindow, EndingOrClosingTheTaskWindowsChecksNoHalfTypedField) {
    for (const std::string way : {"mnuEND", "close box", "mnuMSIME"}) {
        SCOPED_TRACE(way);
        JournalMainWindow main;
        auto* entry = main.open<journal::frmACT0100>("mnuDEN", "frmACT0100");
        ASSERT_TRUE(entry);
        entry->Text1(0)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(entry->Text1(0), "0199");
        const std::string before = testing_support::fileBytes(main.dataFile());

        if (way == "close box")
            main.window->close();
        else
            main.choose(way.c_str());
        QApplication::processEvents();
        EXPECT_TRUE(main.messages.shown.empty()) << main.messages.shown.front();
        EXPECT_EQ(testing_support::fileBytes(main.dataFile()), before);
        EXPECT_EQ(main.state.MainDatabase == nullptr, way != "mnuMSIME");
    }
}

} // namespace
