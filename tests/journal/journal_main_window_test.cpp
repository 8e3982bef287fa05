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

// A run of either closing job beside an open cash balance window: the window shows what the run stored,
// and its register writes that, never the figures it read before the run.
TEST(JournalInMainWindow, ACashWindowOpenBesideAClosingRunRegistersWhatTheRunStored) {
    for (const char* job : {"mnuMSIME", "mnuSIME"}) {
        SCOPED_TRACE(job);
        JournalMainWindow main;
        testing_support::addRow(*main.state.F45Table, {{"F45_YMD", 20260410},
                                                       {"F45_DNO", 1},
                                                       {"F45_LIN", 1},
                                                       {"F45_KBN", 1},
                                                       {"F45_ACT", 101},
                                                       {"F45_IO", 0},
                                                       {"F45_AMT", db::Currency::fromWhole(7000)}});
        auto* dialog = main.open<journal::frmSIME>(job, "frmSIME");
        auto* cash = main.open<journal::frmACT0210>("mnuZAN", "frmACT0210");
        ASSERT_TRUE(dialog && cash);
        testing_support::typeInto(cash->Text1(AprilReceipts), "9999");
        QTest::mouseClick(cash->Command1(0), Qt::LeftButton);
        ASSERT_EQ(testing_support::storedCashRow(main.state).Amt[1][4], db::Currency::fromWhole(9999));
        // Typed after the register and never registered: the run's row replaces it too.
        cash->Text1(0)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(cash->Text1(0), "5");

        main.activate(dialog);
        QTest::mouseClick(dialog->Command1(journal::frmSIME::StartButton), Qt::LeftButton);
        ASSERT_EQ(dialog->hintLine()->text(), "作業が終了しました。");
        const data::F46Rec run = testing_support::storedCashRow(main.state);
        const bool monthly = std::string(job) == "mnuMSIME";
        EXPECT_EQ(run.Amt[1][4], db::Currency::fromWhole(monthly ? 7000 : 0));
        EXPECT_EQ(run.F46_RM1, db::Currency::fromWhole(monthly ? 0 : 9999));

        main.activate(cash);
        EXPECT_EQ(cash->Text1(0)->text(), monthly ? "0" : "9999"); // still entered, in its edit form
        EXPECT_EQ(cash->Text1(AprilReceipts)->text().trimmed(), monthly ? "7,000" : "0");
        QTest::mouseClick(cash->Command1(0), Qt::LeftButton);
        const data::F46Rec registered = testing_support::storedCashRow(main.state);
        EXPECT_EQ(registered.F46_RM1, run.F46_RM1);
        EXPECT_EQ(registered.Amt, run.Amt);
        EXPECT_EQ(registered.F46_RM2, run.F46_RM2);
    }
}

// Going to another window and back is no new choice in the closing dialog: what the run finished with stays.
TEST(JournalInMainWindow, TheClosingDialogKeepsItsFinishedTextAndCountsWhenTheUserComesBackToIt) {
    JournalMainWindow main;
    auto* dialog = main.open<journal::frmSIME>("mnuMSIME", "frmSIME");
    ASSERT_TRUE(dialog);
    QTest::mouseClick(dialog->Command1(journal::frmSIME::StartButton), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), dialog->Command1(journal::frmSIME::EndButton));
    const QString counts = dialog->Text1(10)->text() + dialog->Text1(11)->text() + dialog->Text1(12)->text();

    for (const char* other : {"frmCalendar", "frmACT0210"}) {
        if (!main.window->findChild(other)) main.choose("mnuZAN");
        main.activate(main.window->findChild(other));
        ASSERT_EQ(main.activeName(), other);
        main.activate(dialog);
        EXPECT_EQ(QApplication::focusWidget(), dialog->Command1(journal::frmSIME::EndButton));
        EXPECT_EQ(dialog->hintLine()->text(), "作業が終了しました。") << other;
        EXPECT_EQ(dialog->Text1(10)->text() + dialog->Text1(11)->text() + dialog->Text1(12)->text(), counts);
    }
    // Choosing a button is a new choice.
    dialog->Command1(journal::frmSIME::StartButton)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dialog->hintLine()->text(), "ｸﾘｯｸ又はｴﾝﾀｰで閉め作業を開始します。");
}

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
