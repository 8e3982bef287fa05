#include "platform/db/db_error.h"
#include "shell/entry_window.h"
#include "support/test_files.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

namespace {

using shell::FieldCheck;
using shell::FocusMove;

// Four fields: a required code, an amount, a short number and a free text; Enter runs 0, 1, 2, 3, register.
class SampleWindow : public shell::EntryWindow {
public:
    explicit SampleWindow(data::ProgramState &state)
        : EntryWindow(state, "frmSAMPLE",
                      {{0, 6, 6, true, FieldCheck::Digits, "コード", "コードを入力して下さい。"},
                       {1, 10, 0, false, FieldCheck::Amount, "金額", "金額を入力して下さい。"},
                       {2, 6, 4, false, FieldCheck::Digits, "番号", "番号を入力して下さい。"},
                       {3, 10, 0, false, FieldCheck::None, "備考", "備考を入力して下さい。"}}) {
        setRequiredMessage("項目が未入力です。");
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(addEraList(0));
        for (int i = 0; i < 4; ++i)
            layout->addWidget(Text1(i));
        layout->addWidget(addButton(0, "", "レコードを登録します。"));
        layout->addWidget(addButton(3, "検索", "レコードを検索します。"));
        layout->addWidget(hintLine());
        fillEraLists();
        claimCalendar(0);
    }

    void place(int widthTwips, int heightTwips) { setPlacement(widthTwips, heightTwips); }

    using EntryWindow::ActivatedFlag;
    using EntryWindow::EditedFlag;

    std::map<int, QString> stored;
    std::vector<int> shown;
    std::vector<int> clicked;
    int refreshes = 0;

protected:
    // The date field takes a date picked in the calendar and hands the focus on, as the date windows do.
    void fieldEntered(int index) override {
        std::int32_t date = 0;
        if (index != 0 || !takePickedDate(date)) return;
        stored[0] = QString::number(date);
        focusField(1);
    }
    void showEditForm(int index) override { Text1(index)->setText(stored[index]); }
    void showField(int index) override {
        shown.push_back(index);
        Text1(index)->setText("[" + stored[index] + "]");
    }
    void storeField(int index, const QString &text) override {
        if (text == "666") throw db::DbError(db::EngineFailure, "disk full");
        stored[index] = text;
        showField(index);
        // A look-up that fails keeps the value typed, as the windows do.
        if (text == "999") refuseField(index, "コードが登録されていません。");
    }
    QWidget *moveTarget(int index, FocusMove move) override {
        switch (move) {
        case FocusMove::Enter:
            return index == 3 ? Command1(0) : EntryWindow::moveTarget(index, move);
        case FocusMove::Up:
            return index > 0 ? Text1(index - 1) : nullptr;
        case FocusMove::Down:
            return index < 3 ? Text1(index + 1) : nullptr;
        case FocusMove::ShiftLeft:
            return index > 0 ? Text1(index - 1) : nullptr;
        case FocusMove::ShiftRight:
            if (index < 3) return Text1(index + 1);
            return Command1(3);
        }
        return nullptr;
    }
    void refreshLists() override { ++refreshes; }
    void buttonClicked(int index) override { clicked.push_back(index); }
};

class EntryWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.messages = &messages;
        for (int i = 1; i <= 5; ++i)
            state.F01Record.F01_NENG[i] = "";
        state.F01Record.F01_NENG[1] = "明治";
        state.F01Record.F01_NENG[3] = "昭和"; // era 2 left unnamed
        state.F01Record.F01_NENG[4] = "平成";
        state.F01Record.F01_ACT = 20260415;
        window = std::make_unique<SampleWindow>(state);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        enter(0);
    }

    QWidget *focused() const { return QApplication::focusWidget(); }
    QLineEdit *field(int index) const { return window->Text1(index); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), k, modifiers); }
    void type(const QString &text) {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(focused(), ch.toLatin1());
            } else { // full-width and kana characters come as text without a key of their own
                QTest::sendKeyEvent(QTest::Press, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
            }
        }
    }

    data::ProgramState state;
    testing_support::ScriptedMessages messages;
    std::unique_ptr<SampleWindow> window;
};

TEST_F(EntryWindowTest, EnterFollowsTheWindowsOrderAndStoresEachField) {
    type("12");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), field(1));
    type("1,000");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), field(2));
    key(Qt::Key_Enter); // Enter alone marks the field edited: empty numeric becomes 0
    EXPECT_EQ(focused(), field(3));
    type(" memo ");
    key(Qt::Key_Return);
    EXPECT_EQ(focused(), window->Command1(0));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->stored, (std::map<int, QString>{{0, "12"}, {1, "1,000"}, {2, "0"}, {3, "memo"}}));
    EXPECT_EQ(field(3)->text(), "[memo]");
    EXPECT_EQ(window->hintLine()->text(), "ｸﾘｯｸ 又は、ｴﾝﾀーで作業を選択して下さい。");
}

TEST_F(EntryWindowTest, ArrowsMoveByTheWindowsMapAndLeftRightOnlyWithShiftAlone) {
    struct Case {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int to; // -1: the search button
    };
    const Case cases[] = {
        {1, Qt::Key_Up, Qt::NoModifier, 0},
        {0, Qt::Key_Up, Qt::NoModifier, 0}, // nothing above the top field
        {1, Qt::Key_Down, Qt::NoModifier, 2},
        {1, Qt::Key_Up, Qt::ControlModifier, 1},
        {1, Qt::Key_Right, Qt::ShiftModifier, 2},
        {2, Qt::Key_Left, Qt::ShiftModifier, 1},
        {3, Qt::Key_Right, Qt::ShiftModifier, -1},
        {1, Qt::Key_Right, Qt::NoModifier, 1},
        {1, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 1},
        {1, Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier, 1},
    };
    for (const Case &c : cases) {
        enter(c.from);
        key(c.key, c.modifiers);
        QWidget *expected = c.to < 0 ? static_cast<QWidget *>(window->Command1(3)) : field(c.to);
        EXPECT_EQ(focused(), expected) << "from " << c.from << " key " << c.key << " modifiers " << c.modifiers;
    }
    EXPECT_TRUE(messages.shown.empty()); // passing through never checks
}

TEST_F(EntryWindowTest, OnlyAnEditedFieldIsCheckedWhenLeft) {
    // Passing through the empty required field: only redisplayed.
    key(Qt::Key_Down);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->shown, std::vector<int>{0});
    EXPECT_EQ(field(0)->text(), "[]");

    // One character typed and taken back still counts as an edit.
    enter(0);
    type("5");
    key(Qt::Key_Backspace);
    key(Qt::Key_Down);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"項目が未入力です。"});
    EXPECT_EQ(focused(), field(0));

    // The Delete key alone marks the field.
    messages.shown.clear();
    key(Qt::Key_Delete);
    EXPECT_EQ(window->EditedFlag, 9);
    key(Qt::Key_Down);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"項目が未入力です。"});
}

TEST_F(EntryWindowTest, ChecksRunRequiredNumericLengthThenTheWindowsOwnAndReturnTheFocus) {
    struct Case {
        int index;
        QString typed;
        std::string message; // empty: accepted
        QString fieldText;   // what the field shows afterwards
    };
    const Case cases[] = {
        {0, "12a", "入力結果が数字ではありません。", "12a"},
        {0, " 1 2", "入力結果が数字ではありません。", "1 2"},
        {0, "999", "コードが登録されていません。", "[999]"},
        {0, " 42 ", "", "[42]"},
        {1, "-1,234.5", "", "[-1,234.5]"},
        {1, "1-2", "入力結果が数字ではありません。", "1-2"},
        {1, "１２", "入力結果が数字ではありません。", "１２"},
        {2, "12a45", "入力結果が数字ではありません。", "12a45"}, // numeric before length
        {2, "12345", "規定の桁数をこえました。", "12345"},
        {2, "1234", "", "[1234]"},
        {3, "  長い備考です  ", "", "[長い備考です]"},
    };
    for (const Case &c : cases) {
        messages.shown.clear();
        enter(c.index);
        field(c.index)->clear();
        type(c.typed);
        key(Qt::Key_Tab);
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
        EXPECT_EQ(messages.shown, expected) << c.typed.toStdString();
        EXPECT_EQ(field(c.index)->text(), c.fieldText) << c.typed.toStdString();
        if (!c.message.empty()) {
            EXPECT_EQ(focused(), field(c.index)) << c.typed.toStdString();
        }
        EXPECT_EQ(window->EditedFlag, 0);
    }
    EXPECT_EQ(window->stored[0], "42");
}

TEST_F(EntryWindowTest, ARefusedTextStaysUntilTheFieldIsLeftAgainUntouched) {
    type("7");
    key(Qt::Key_Return);
    enter(2);
    type("12345");
    key(Qt::Key_Return);
    ASSERT_EQ(focused(), field(2));
    EXPECT_EQ(field(2)->text(), "12345");
    EXPECT_EQ(window->hintLine()->text(), "番号を入力して下さい。");
    key(Qt::Key_Return); // Enter is a key press: checked again
    EXPECT_EQ(messages.shown.size(), 2u);
    field(2)->setFocus(Qt::OtherFocusReason);
    key(Qt::Key_Up); // no typing: only redisplayed from what was stored
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(field(2)->text(), "[]");
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(EntryWindowTest, AButtonPressWhoseFieldIsRefusedDoesNotAct) {
    enter(2);
    type("12345");
    QTest::mouseClick(window->Command1(0), Qt::LeftButton);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"規定の桁数をこえました。"});
    EXPECT_EQ(focused(), field(2));
    EXPECT_TRUE(window->clicked.empty());

    QTest::mouseClick(window->Command1(0), Qt::LeftButton); // left untouched now
    EXPECT_EQ(window->clicked, std::vector<int>{0});
    key(Qt::Key_Return); // Enter on a button presses it
    EXPECT_EQ(window->clicked, (std::vector<int>{0, 0}));
}

TEST_F(EntryWindowTest, F5RefreshesTheListsAndDatabaseErrorsAreShownNotFatal) {
    key(Qt::Key_F5);
    enter(3);
    key(Qt::Key_F5);
    EXPECT_EQ(window->refreshes, 2);
    EXPECT_EQ(window->EditedFlag, 0);

    type("666");
    key(Qt::Key_Tab);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Err.Number = 3000 disk full"});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(EntryWindowTest, SwitchingToAnotherWindowDoesNotLeaveTheField) {
    type("abc");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(field(0)->text(), "abc");
    key(Qt::Key_Tab);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"入力結果が数字ではありません。"});
}

TEST(EntryWindowClosing, AUsersCloseReleasesTheCalendarAndTheProgramsCloseDoesNot) {
    data::ProgramState state;
    testing_support::ScriptedMessages messages;
    state.messages = &messages;
    QMdiArea area;
    area.addSubWindow(new QLineEdit)->show();
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    for (const bool byProgram : {true, false}) {
        state.CalendarOwnerForm = "frmOTHER";
        auto *window = new SampleWindow(state);
        QMdiSubWindow *sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        area.setActiveSubWindow(sub);
        EXPECT_EQ(window->ActivatedFlag, 9);
        window->Text1(0)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(state.CalendarOwnerForm, "frmSAMPLE");
        QTest::keyClicks(window->Text1(0), "abc"); // an edited field is not checked as its window goes
        if (byProgram) {
            window->closeByProgram();
            EXPECT_EQ(state.CalendarOwnerForm, "frmSAMPLE");
        } else {
            sub->close();
            EXPECT_EQ(state.CalendarOwnerForm, "");
        }
        EXPECT_TRUE(messages.shown.empty()) << byProgram;
    }
}

TEST_F(EntryWindowTest, AFieldThatSendsTheFocusOnOnEntryIsLeftInItsDisplayForm) {
    enter(1);
    state.CalendarPicked = 1;
    state.CalendarDate = 20260501;
    window->fieldWidget(state.CalendarFieldIndex)->setFocus(Qt::OtherFocusReason); // the calendar's hand-off
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_EQ(field(0)->text(), "[20260501]");
    EXPECT_EQ(window->hintLine()->text(), "金額を入力して下さい。");
}

TEST_F(EntryWindowTest, TheEraListSelectsByEraNumberAcrossAnUnnamedEra) {
    shell::EraList *list = window->Combo1(0);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(1), "昭和  "); // as stored, four characters
    EXPECT_EQ(list->chosenEra(), 0);

    struct Case {
        int era;
        bool found;
        QString text;
    };
    const Case cases[] = {{1, true, "明治"}, {3, true, "昭和"}, {4, true, "平成"}, {2, false, ""}, {5, false, ""}};
    for (const Case &c : cases) {
        EXPECT_EQ(list->selectEra(c.era), c.found) << c.era;
        EXPECT_EQ(list->currentText().trimmed(), c.text) << c.era;
        EXPECT_EQ(list->chosenEra(), c.found ? c.era : 0) << c.era;
    }
    EXPECT_EQ(window->EditedFlag, 0); // the window's own selections are no choice
}

TEST_F(EntryWindowTest, ChoosingAnEraMarksTheDateEditedAndReturnsToIt) {
    shell::EraList *list = window->Combo1(0);
    list->selectEra(3);
    list->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();

    window->ActivatedFlag = 0; // before the first activation a choice is not acted on
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(focused(), list);
    EXPECT_EQ(window->EditedFlag, 0);

    window->ActivatedFlag = 9;
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->chosenEra(), 3);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(window->EditedFlag, 9);

    list->setFocus(Qt::MouseFocusReason);
    window->EditedFlag = 0;
    window->ActivatedFlag = 0;
    QTest::keyClick(list, Qt::Key_Return); // Enter counts even before activation
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(window->EditedFlag, 9);
}

TEST(EntryWindowPlacement, CentredAcrossAndAQuarterDownTheWorkArea) {
    data::ProgramState state;
    QMdiArea area;
    area.setFrameShape(QFrame::NoFrame);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.resize(800, 600);
    area.show();
    auto *window = new SampleWindow(state);
    window->place(6000, 3000);
    QMdiSubWindow *sub = area.addSubWindow(window);
    sub->show();
    // 800 x 600 pixels are 12000 x 9000 twips: left (12000 - 6000) / 2, top (9000 - 3000) / 4.
    EXPECT_EQ(sub->pos(), QPoint(200, 100));
    // The client area is what the layout had inside a desktop frame of 8 by 31 pixels.
    EXPECT_EQ(window->size(), QSize(400 - 8, 200 - 31));
}

} // namespace
