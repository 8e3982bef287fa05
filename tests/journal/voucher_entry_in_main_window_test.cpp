#include "journal/voucher_entry_window.h"
#include "shell/calendar_window.h"
#include "shell/main_window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Voucher entry inside the main window, beside the calendar it keeps in step with its date.
TEST(VoucherEntryInMainWindow, ADateTypedKeepsTheWindowInFrontAndAPickedDayArrives) {
    testing_support::MainWindowFixture main;
    main.window->registerWindow("frmCalendar", [&main] {
        return new shell::frmCalendar(main.state,
                                      [&main](const QString& name) { return main.window->findChild(name); });
    });
    main.window->registerWindow("frmACT0100", [&main] { return new journal::frmACT0100(main.state); });
    main.window->show();
    main.startInFolderWithTemplate();
    main.choose("mnuDEN");
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.window.get()));
    auto* window = qobject_cast<journal::frmACT0100*>(main.window->findChild("frmACT0100"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(main.activeName(), "frmACT0100");

    window->Text1(0)->setFocus(Qt::MouseFocusReason);
    window->Text1(0)->selectAll();
    QTest::keyClicks(window->Text1(0), "080420");
    QTest::keyClick(window->Text1(0), Qt::Key_Return);
    EXPECT_EQ(main.activeName(), "frmACT0100");
    EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
    EXPECT_EQ(window->Text1(1)->text(), "420");
    EXPECT_EQ(main.state.CalendarDate, 20260415);

    // A day double-clicked while the date field holds the focus comes into it.
    window->Text1(0)->setFocus(Qt::MouseFocusReason);
    auto* calendar = qobject_cast<shell::frmCalendar*>(main.window->findChild("frmCalendar"));
    ASSERT_NE(calendar, nullptr);
    auto pick = [calendar](const QString& day) {
        for (int i = 0; i < 42; ++i)
            if (calendar->Label3(i)->text().trimmed() == day) QTest::mouseDClick(calendar->Label3(i), Qt::LeftButton);
        QApplication::processEvents();
    };
    pick("10");
    EXPECT_EQ(main.activeName(), "frmACT0100");
    EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
    EXPECT_EQ(window->Text1(0)->text(), " 8年 4月10日");
    EXPECT_EQ(window->Text1(1)->text(), "410");
    EXPECT_EQ(main.state.CalendarPicked, 0);

    // And so does a day picked while the user was on a line field.
    QTest::mouseClick(window->Command1(3), Qt::LeftButton);
    window->Text1(4)->setFocus(Qt::MouseFocusReason);
    pick("12");
    EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
    EXPECT_EQ(window->Text1(0)->text(), " 8年 4月12日");
    EXPECT_EQ(window->Text1(1)->text(), "412");
    EXPECT_FALSE(window->Frame2()->isEnabled());
    EXPECT_TRUE(main.messages.shown.empty());
}

} // namespace
