// The entry-window rules, driven through real key, mouse and focus events.
#include "platform/db/db_error.h"
#include "shell/entry_window.h"
#include "support/test_files.h"
#include "support/window_test.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

// A small entry window on the framework: a required code that is also the calendar's date field, an amount,
// a short number and a free text; Enter runs 0, 1, 2, 3, then the register button.
class SampleWindow : public shell::EntryWindow {
public:
    explicit SampleWindow(data::ProgramState& state)
        : EntryWindow(state, "frmSAMPLE",
                      {{0, 6, 6, true, shell::FieldCheck::Digits, "コード", "コードを入力して下さい。"},
                       {1, 10, 0, false, shell::FieldCheck::Amount, "金額", "金額を入力して下さい。"},
                       {2, 6, 4, false, shell::FieldCheck::Digits, "番号", "番号を入力して下さい。"},
                       {3, 10, 0, false, shell::FieldCheck::None, "備考", "備考を入力して下さい。"}}) {
        setRequiredMessage("項目が未入力です。");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(addEraList(0));
        for (int i = 0; i < 4; ++i)
            layout->addWidget(Text1(i));
        layout->addWidget(addButton(0, "", "レコードを登録します。"));
        layout->addWidget(addButton(3, "検索", "レコードを検索します。"));
        layout->addWidget(hintLine());
        fillEraLists();
        claimCalendar(0);
    }

    void place(int widthTwips, int heightTwips, int leftDivisor = 2, int topDivisor = 4, int leftLess = 0,
               int topLess = 0) {
        setPlacement(widthTwips, heightTwips, leftDivisor, topDivisor, leftLess, topLess);
    }
    using EntryWindow::ActivatedFlag;
    using EntryWindow::EditedFlag;

    std::map<int, QString> stored;
    std::vector<int> clicked;
    int refreshes = 0;

protected:
    // The date field takes a date picked in the calendar and hands the focus on; any other field drops it.
    void fieldEntered(int index) override {
        std::int32_t date = 0;
        if (!takePickedDate(date) || index != 0) return;
        stored[0] = QString::number(date);
        focusField(1);
    }
    void showEditForm(int index) override { Text1(index)->setText(stored[index]); }
    void showField(int index) override { Text1(index)->setText("[" + stored[index] + "]"); }
    void storeField(int index, const QString& text) override {
        if (text == "666") throw db::DbError(db::EngineFailure, "ディスクがいっぱいです。");
        stored[index] = text;
        showField(index);
        // A look-up that fails keeps the value typed, as the windows do.
        if (text == "999") refuseField(index, "コードが登録されていません。");
    }
    QWidget* moveTarget(int index, shell::FocusMove move) override {
        using shell::FocusMove;
        if (move == FocusMove::Enter) return index == 3 ? Command1(0) : EntryWindow::moveTarget(index, move);
        if (move == FocusMove::ShiftRight && index == 3) return Command1(3);
        const int to = move == FocusMove::Up || move == FocusMove::ShiftLeft ? index - 1 : index + 1;
        return to >= 0 && to <= 3 ? Text1(to) : nullptr;
    }
    void refreshLists() override { ++refreshes; }
    void buttonClicked(int index) override { clicked.push_back(index); }
};

constexpr int Register = -1, Search = -2; // the buttons, where a step ends on one
const char* const Required = "項目が未入力です。";
const char* const NotNumeric = "入力結果が数字ではありません。";
const char* const TooLong = "規定の桁数をこえました。";

class EntryWindowTest : public testing_support::WindowTest<SampleWindow> {
protected:
    void SetUp() override {
        state.messages = &messages;
        for (int i = 1; i <= 5; ++i)
            state.F01Record.F01_NENG[i] = "";
        state.F01Record.F01_NENG[1] = "明治";
        state.F01Record.F01_NENG[3] = "昭和"; // era 2 left unnamed
        state.F01Record.F01_NENG[4] = "平成";
        state.F01Record.F01_ACT = 20260415;
        open(new SampleWindow(state));
        enter(0);
    }
    QWidget* widget(int index) const {
        return index < 0 ? static_cast<QWidget*>(button(index == Register ? 0 : 3)) : field(index);
    }

    data::ProgramState state;
    testing_support::ScriptedMessages messages;
};

TEST_F(EntryWindowTest, KeysMoveByTheWindowsMapAndAnEditedFieldIsCheckedRequiredNumericLengthThenOwn) {
    struct Step {
        int field;         // where the step starts
        QString typed;     // typed into the emptied field; "" types nothing and keeps the text
        Qt::Key key;       // then pressed
        int to;            // where the focus is afterwards
        std::string shows; // the message the step shows; "" none
        QString text;      // the text of `field` afterwards
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    const Step steps[] = {
        // Passing through, even an empty required field, only redisplays.
        {0, "", Qt::Key_Down, 1, "", "[]"},
        // Enter follows the window's order; Enter alone marks the field edited, so an empty number becomes 0.
        {0, "12", Qt::Key_Return, 1, "", "[12]"},
        {1, "1,000", Qt::Key_Return, 2, "", "[1,000]"},
        {2, "", Qt::Key_Enter, 3, "", "[0]"},
        {3, " memo ", Qt::Key_Return, Register, "", "[memo]"},
        // Arrows: up and down by the map, left and right only with Shift alone.
        {1, "", Qt::Key_Up, 0, "", "[1,000]"},
        {0, "", Qt::Key_Up, 0, "", "12"},
        {1, "", Qt::Key_Up, 1, "", "1,000", Qt::ControlModifier},
        {1, "", Qt::Key_Right, 2, "", "[1,000]", Qt::ShiftModifier},
        {2, "", Qt::Key_Left, 1, "", "[0]", Qt::ShiftModifier},
        {3, "", Qt::Key_Right, Search, "", "[memo]", Qt::ShiftModifier},
        {1, "", Qt::Key_Right, 1, "", "1,000"},
        {1, "", Qt::Key_Right, 1, "", "1,000", Qt::ControlModifier | Qt::ShiftModifier},
        // Delete takes the character after the cursor.
        {0, "12", Qt::Key_Left, 0, "", "12"},
        {0, "", Qt::Key_Delete, 0, "", "1"},
        // A character typed and taken back, or the Delete key alone, is an edit.
        {0, "5\b", Qt::Key_Down, 0, Required, ""},
        {0, "\x7f", Qt::Key_Down, 0, Required, ""},
        // The checks in their order; a refused field keeps the text typed and the focus.
        {0, "12a", Qt::Key_Tab, 0, NotNumeric, "12a"},
        {0, " 1 2", Qt::Key_Tab, 0, NotNumeric, "1 2"},
        // A value taken and refused by its look-up comes back in its edit form, not its display form.
        {0, "999", Qt::Key_Tab, 0, "コードが登録されていません。", "999"},
        {0, " 42 ", Qt::Key_Tab, 1, "", "[42]"},
        {1, "-1,234.5", Qt::Key_Tab, 2, "", "[-1,234.5]"},
        {1, "1-2", Qt::Key_Tab, 1, NotNumeric, "1-2"},
        {2, "12345", Qt::Key_Tab, 2, TooLong, "12345"},
        // Back in a refused field, the typing stops at the field's length again.
        {2, "1234567", Qt::Key_Tab, 2, TooLong, "123456"},
        {2, "1234", Qt::Key_Tab, 3, "", "[1234]"},
        {3, "  長い備考です  ", Qt::Key_Return, Register, "", "[長い備考です]"},
        // Enter on a refused field checks it again; left untouched it shows what was stored.
        {2, "12345", Qt::Key_Return, 2, TooLong, "12345"},
        {2, "", Qt::Key_Return, 2, TooLong, "12345"},
        {2, "", Qt::Key_Up, 1, "", "[1234]"},
        {3, "", Qt::Key_F5, 3, "", "長い備考です"},
    };
    const QString hints[] = {"コードを入力して下さい。", "金額を入力して下さい。", "番号を入力して下さい。",
                             "備考を入力して下さい。"};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "from " << s.field << " typing " << s.typed.toStdString() << " key " << s.key
                                        << " modifiers " << s.modifiers);
        messages.shown.clear();
        if (focused() != field(s.field)) enter(s.field);
        if (!s.typed.isEmpty()) field(s.field)->clear();
        type(s.typed);
        key(s.key, s.modifiers);
        EXPECT_EQ(focused(), widget(s.to));
        EXPECT_EQ(messages.shown, testing_support::only(s.shows));
        EXPECT_EQ(field(s.field)->text(), s.text);
        EXPECT_EQ(hint(), s.to < 0 ? "ｸﾘｯｸ 又は、ｴﾝﾀーで作業を選択して下さい。" : hints[s.to]);
    }
    EXPECT_EQ(window->stored, (std::map<int, QString>{{0, "42"}, {1, "-1,234.5"}, {2, "1234"}, {3, "長い備考です"}}));
    EXPECT_EQ(window->refreshes, 1);

    // A database error in a field's step is shown, and the window goes on.
    field(3)->clear();
    type("666");
    key(Qt::Key_Tab);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Err.Number =  3000 (ディスクがいっぱいです。)"});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(EntryWindowTest, ALongTextShownInAFieldShowsItsBeginning) {
    enter(3);
    type("0123456789");
    key(Qt::Key_Tab); // shown by the window as the field is left
    EXPECT_EQ(field(3)->text(), "[0123456789]");
    EXPECT_EQ(field(3)->cursorPosition(), 0);
    field(3)->setText("長い備考が欄の幅を超えて続きます"); // shown by the window while another field is entered
    EXPECT_EQ(field(3)->cursorPosition(), 0);
    enter(3); // the user in the field types after its edit form
    EXPECT_EQ(field(3)->cursorPosition(), 10);
}

TEST_F(EntryWindowTest, AButtonPressWhoseFieldIsRefusedDoesNotAct) {
    enter(2);
    type("12345");
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_EQ(messages.shown, std::vector<std::string>{TooLong});
    EXPECT_EQ(focused(), field(2));
    EXPECT_TRUE(window->clicked.empty());

    QTest::mouseClick(button(0), Qt::LeftButton); // left untouched now
    EXPECT_EQ(window->clicked, std::vector<int>{0});
    key(Qt::Key_Return); // Enter on a button presses it
    EXPECT_EQ(window->clicked, (std::vector<int>{0, 0}));
}

TEST_F(EntryWindowTest, SwitchingToAnotherWindowOrToTheMenusDoesNotLeaveTheField) {
    type("abc");
    comeBackFromAnotherWindow();
    // The menu bar takes the keys when Alt is pressed, and gives them back when it is left.
    auto* menus = new QMenuBar(window.get());
    menus->addMenu("ファイル(&F)");
    menus->show();
    menus->setFocus(Qt::MenuBarFocusReason);
    field(0)->setFocus(Qt::MenuBarFocusReason);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(field(0)->text(), "abc");
    key(Qt::Key_Tab);
    EXPECT_EQ(messages.shown, std::vector<std::string>{NotNumeric});
}

TEST_F(EntryWindowTest, TheEraListSelectsByEraNumberAcrossAnUnnamedEraAndAChoiceReturnsToTheDate) {
    shell::EraList* list = window->Combo1(0);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(1), "昭和  "); // as stored, four characters
    EXPECT_EQ(list->chosenEra(), 0);
    const std::tuple<int, bool, QString> cases[] = {
        {1, true, "明治"}, {3, true, "昭和"}, {4, true, "平成"}, {2, false, ""}, {5, false, ""}};
    for (const auto& [era, found, text] : cases) {
        EXPECT_EQ(list->selectEra(era), found) << era;
        EXPECT_EQ(list->currentText().trimmed(), text) << era;
        EXPECT_EQ(list->chosenEra(), found ? era : 0) << era;
    }
    EXPECT_EQ(window->EditedFlag, 0); // the window's own selections are no choice

    // A user's choice marks the date edited and returns to it; before the first activation only Enter counts.
    list->selectEra(3);
    const std::tuple<Qt::Key, int, bool> keys[] = {
        {Qt::Key_Down, 0, false}, {Qt::Key_Up, 9, true}, {Qt::Key_Return, 0, true}};
    for (const auto& [k, activated, acted] : keys) {
        list->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        window->EditedFlag = 0;
        window->ActivatedFlag = static_cast<std::int16_t>(activated);
        QTest::keyClick(list, k);
        EXPECT_EQ(focused(), acted ? static_cast<QWidget*>(field(0)) : list) << k;
        EXPECT_EQ(window->EditedFlag, acted ? 9 : 0) << k;
    }
    EXPECT_EQ(list->chosenEra(), 3);
}

TEST_F(EntryWindowTest, AFieldThatSendsTheFocusOnOnEntryIsLeftInItsDisplayForm) {
    enter(1);
    pickInCalendar(state, 20260501);
    EXPECT_EQ(focused(), field(1));
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_EQ(field(0)->text(), "[20260501]");
    EXPECT_EQ(hint(), "金額を入力して下さい。");
}

TEST(EntryWindowClosing, AUsersCloseReleasesTheCalendarItOwnsAndTheProgramsCloseDoesNot) {
    data::ProgramState state;
    testing_support::ScriptedMessages messages;
    state.messages = &messages;
    QMdiArea area;
    area.addSubWindow(new QLineEdit)->show();
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    // The owner afterwards: by the program, by the user, and by the user after another owner has loaded.
    const std::tuple<bool, const char*, const char*> cases[] = {
        {true, "", "frmSAMPLE"}, {false, "", ""}, {false, "frmLATER", "frmLATER"}};
    for (const auto& [byProgram, laterOwner, owner] : cases) {
        state.CalendarOwnerForm = "frmOTHER";
        auto* window = new SampleWindow(state);
        QMdiSubWindow* sub = area.addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        area.setActiveSubWindow(sub);
        EXPECT_EQ(window->ActivatedFlag, 9);
        window->Text1(0)->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(state.CalendarOwnerForm, "frmSAMPLE");
        QTest::keyClicks(window->Text1(0), "abc"); // an edited field is not checked as its window goes
        if (*laterOwner) state.CalendarOwnerForm = laterOwner;
        byProgram ? window->closeByProgram() : void(sub->close());
        EXPECT_EQ(state.CalendarOwnerForm, owner) << byProgram << laterOwner;
        EXPECT_TRUE(messages.shown.empty()) << byProgram << laterOwner;
    }
}

TEST(EntryWindowPlacement, CentredAcrossAndAQuarterDownTheWorkArea) {
    data::ProgramState state;
    QMdiArea area;
    area.setFrameShape(QFrame::NoFrame);
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.resize(800, 600);
    area.show();
    auto* window = new SampleWindow(state);
    window->place(6000, 4500);
    QMdiSubWindow* sub = area.addSubWindow(window);
    sub->show();
    // 800 x 600 pixels are 12000 x 9000 twips: left (12000 - 6000) / 2, top (9000 - 4500) / 4.
    EXPECT_EQ(sub->pos(), QPoint(200, 75));
    // The client area is what the layout had inside a desktop frame of 8 by 31 pixels.
    EXPECT_EQ(window->size(), QSize(400 - 8, 300 - 31));

    // Too low for its controls: the window grows to what they need and is placed by the height it has.
    auto* cramped = new SampleWindow(state);
    cramped->place(6000, 1500);
    QMdiSubWindow* grown = area.addSubWindow(cramped);
    grown->show();
    EXPECT_EQ(grown->size(), QSize(400, grown->minimumSizeHint().height()));
    EXPECT_GT(grown->height(), 100);
    EXPECT_NEAR(grown->y(), (600 - grown->height()) / 4, 1);

    // Near the lower right corner: 600 twips in from the right edge, 1500 up from the bottom.
    auto* corner = new SampleWindow(state);
    corner->place(6000, 4500, 1, 1, 600, 1500);
    QMdiSubWindow* cornerSub = area.addSubWindow(corner);
    cornerSub->show();
    EXPECT_EQ(cornerSub->pos(), QPoint(360, 200));
}

} // namespace
