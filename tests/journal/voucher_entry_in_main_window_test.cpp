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
    auto* calendar = qobject_cast<shell::frmCalendar*>(main.window->findChild("frmCalendar"));
    ASSERT_TRUE(window && calendar);

    window->Text1(0)->setFocus(Qt::MouseFocusReason);
    window->Text1(0)->selectAll();
    QTest::keyClicks(window->Text1(0), "080420");
    QTest::keyClick(window->Text1(0), Qt::Key_Return);
    EXPECT_EQ(main.activeName(), "frmACT0100");
    EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
    EXPECT_EQ(main.state.CalendarDate, 20260415);

    // A day double-clicked while the date field or a line field holds the focus comes into the date field.
    for (const auto& [from, day, date] : {std::tuple{0, "10", " 8年 4月10日"}, {4, "12", " 8年 4月12日"}}) {
        if (from == 4) QTest::mouseClick(window->Command1(3), Qt::LeftButton);
        window->Text1(from)->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < 42; ++i)
            if (calendar->Label3(i)->text().trimmed() == day) QTest::mouseDClick(calendar->Label3(i), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(main.activeName(), "frmACT0100");
        EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
        EXPECT_EQ(window->Text1(0)->text(), date);
        EXPECT_EQ(window->Text1(1)->text(), "4" + QString(day));
        EXPECT_EQ(main.state.CalendarPicked, 0);
    }
    EXPECT_FALSE(window->Frame2()->isEnabled());
    EXPECT_TRUE(main.messages.shown.empty());
}
