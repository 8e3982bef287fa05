#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/voucher_entry_window.h"
#include "shell/calendar_window.h"
#include "shell/main_window_fixture.h"
#include "shell/program_font.h"
#include "support/entry_window_test.h"
#include "support/readable_layout.h"

#include <QGroupBox>

#include <functional>
#include <tuple>

namespace {

using journal::frmACT0100;
using testing_support::addRow;
using testing_support::only;
using testing_support::statusOf;

// The template's rows: subjects 1-101 売上 (receipt) and 2-201 仕入 (payment), details of three digits,
// counterparts of four, descriptions 000001 売上代金 and 000002 商品仕入; processing date 15 April 令和 8.
class VoucherEntryTest : public testing_support::EntryWindowTest<frmACT0100> {
protected:
    void SetUp() override {
        setProcessingDate(20260415);
        data::LoadCodeKbnTable(s());
        open(new frmACT0100(s()));
    }
    QString name(int index) const { return window->Label2(index)->text(); }
    // Voucher `number` of 15 April, searched for its next free line.
    void startVoucher(const QString& number) {
        typeIn(0, "080415");
        typeIn(1, number);
        click(3);
    }
    void addLine(std::int32_t ymd, std::int32_t dno, int lin, std::int64_t amount = 800) {
        const testing_support::Fields row{
            {"F45_YMD", ymd}, {"F45_DNO", dno},      {"F45_LIN", lin}, {"F45_KBN", 2},
            {"F45_ACT", 201}, {"F45_TEK", "000002"}, {"F45_IO", 1},    {"F45_AMT", db::Currency::fromWhole(amount)}};
        addRow(*s().F45Table, row);
    }
    // The voucher table's rows, trimmed fields joined by "|".
    std::vector<std::string> lines() {
        return tableRows("SELECT F45_YMD, F45_DNO, F45_LIN, F45_KBN, F45_ACT, F45_SRT, F45_KND, F45_CUS, F45_TEK, "
                         "F45_RMK, F45_IO, F45_AMT FROM F45TB ORDER BY 1, 2, 3");
    }
};

TEST_F(VoucherEntryTest, ATypicalCycleEndsWithTheLineInTheFileAndTheNextLineReady) {
    EXPECT_EQ(focused(), field(0)); // the processing date, in its edit form
    EXPECT_EQ(field(0)->text(), "080415");
    field(0)->selectAll();
    type("080420\n");
    EXPECT_EQ(texts({0, 1}), QStringList({" 8年 4月20日", "420"})); // the date's default number
    type("\n");
    EXPECT_EQ(focused(), button(3));
    type("\n"); // search: a voucher without lines starts at line 1
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(field(2)->text(), "1");
    type("\n2\n"); // 商品仕入: subject 2-201 仕入, a payment subject
    EXPECT_EQ(name(0) + name(1), "商品仕入仕入");
    type("仕入先A\n");
    EXPECT_EQ(focused(), field(6)); // the subject's direction chose the payment field
    type("5,000\n\n");              // and register

    EXPECT_EQ(shown(), only(""));
    EXPECT_EQ(lines(), std::vector<std::string>{"20260420|420|1|2|201|0|0|0|000002|仕入先A|1|5000"});
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(texts({2, 3}), QStringList({"2", "000000"})); // a new line has no description
    statusOf(data::F01Access, s(), "GET");
    EXPECT_EQ(s().F01Record.F01_DNO, 420);
    enter(1); // back to the voucher number: the line goes with the voucher
    EXPECT_EQ(texts({2, 3, 6}), QStringList({"", "", ""}));
    EXPECT_FALSE(window->Frame2()->isEnabled());
}

// Typed into field `index` and left by Enter: the message shown ("" none) and where the focus goes.
TEST_F(VoucherEntryTest, EachBadFieldIsRefusedWithItsMessageAndKeepsTheFocus) {
    startVoucher("7");
    const std::string unknown = "コードが登録されていません。", notNumber = "入力結果が数字ではありません。";
    const std::string tooLong = "規定の桁数をこえました。", empty = "項目が未入力です。";
    const std::string badCategory = "相手先種別の誤りです。", noCategory = "相手先区分が入力されていません。";
    const std::string noDescription = "摘要コードが登録されていません。";
    const std::string noSubject = "勘定科目コードが登録されていません。";
    const std::string sixDigits = "6桁(YYMMDD)で入力して下さい。", badDate = "日付の誤りです。";
    // "1..2" passes the character check but is no number; details have three digits,
    // counterparts four.
    const std::tuple<int, const char*, std::string, int> cases[] = {
        {3, "99", noDescription, 3}, {5, "1..2", notNumber, 5}, {6, "12a", notNumber, 6},  {7, "9", unknown, 7},
        {8, "999", noSubject, 8},    {9, "1234", tooLong, 9},   {9, "9", unknown, 9},      {10, "1", badCategory, 10},
        {10, "3", badCategory, 10},  {10, "0", "", 4},          {11, "5", noCategory, 10}, {10, "2", "", 11},
        {11, "12345", tooLong, 11},  {11, "99", unknown, 11},   {7, "", empty, 7},         {2, "", empty, 2},
        {1, "", empty, 1},           {0, "0804", sixDigits, 0}, {0, "081332", badDate, 0}, {0, "08a415", notNumber, 0}};
    for (const auto& [index, typed, message, focus] : cases) {
        EXPECT_EQ(shownOnTyping(index, typed), only(message)) << index << " " << typed;
        EXPECT_EQ(focused(), field(focus)) << index << " " << typed;
    }
    shown().clear();
    window->Combo1(0)->setCurrentIndex(-1);
    typeIn(0, "080415");
    EXPECT_EQ(shown(), only("年号を選択して下さい。"));
}

// With no line chosen the line buttons and lists refuse, without a key the line buttons do, a new line
// cannot be deleted; then each step
// adds to the line and the register refuses the next thing missing. A 0 in the payment field leaves a
// receipt, a 0 in the receipt field makes a payment of 0; a refused field keeps the focus, so the press
// after it is void.
TEST_F(VoucherEntryTest, ButtonsAndListsRefuseWhatTheLineDoesNotAllow) {
    const std::string noAmount = "金額が未入力です。";
    expectRefusals({{[this] { enter(1), click(0); }, "レコードが選択されていません。", button(3)},
                    {[this] { chooseInGrid(frmACT0100::DescriptionList, 0, "000001"); },
                     "レコードが選択されていません。検索後、再指定して下さい。", button(3)},
                    {[this] { startVoucher("0"), click(4); }, "未入力です。", field(1)},
                    {[this] { startVoucher("8"), click(1); }, "削除すべきデータは存在しません。", nullptr},
                    {[this] { click(0); }, "勘定科目が入力されていません。", field(7)},
                    {[this] { typeIn(3, "1"), click(0); }, noAmount, field(5)},
                    {[this] { typeIn(6, "0"), click(0); }, noAmount, field(5)},
                    {[this] { typeIn(5, "0"), click(0); }, noAmount, field(6)},
                    {[this] { typeIn(5, "300"), typeIn(8, "999"), click(0), click(0); },
                     "勘定科目が登録されていません。", field(7)}});
    EXPECT_TRUE(lines().empty());
}

TEST_F(VoucherEntryTest, TheSearchProposesTheLineAfterTheVouchersHighestAndStepsWithinOneAndNinetyNine) {
    startVoucher("415");
    EXPECT_EQ(field(2)->text(), "1"); // empty table
    for (int line : {1, 2, 5})
        addLine(20260415, 415, line);
    startVoucher("415");
    EXPECT_EQ(field(2)->text(), "6");
    typeIn(2, "2");
    for (const auto& [button, line] : {std::pair{5, " 1"}, {5, " 1"}, {4, " 2"}}) {
        click(button);
        EXPECT_EQ(field(2)->text(), line);
    }
    EXPECT_EQ(focused(), field(3));
}

TEST_F(VoucherEntryTest, ATakenLineNinetyNineIsShownAndKeptAndDeletingAsksFirst) {
    addLine(20260415, 416, 99, 4321);
    startVoucher("416");
    EXPECT_EQ(texts({2, 6}), QStringList({"99", "          4,321"}));
    for (const auto& [index, editForm] : {std::pair{5, "0"}, {6, "4321"}}) {
        enter(index);
        EXPECT_EQ(field(index)->text(), editForm) << index;
    }
    click(4);
    EXPECT_EQ(field(2)->text(), "99");
    typeIn(6, "1,000");
    click(0);
    EXPECT_EQ(field(2)->text(), "99");
    EXPECT_EQ(lines(), std::vector<std::string>{"20260415|416|99|2|201|0|0|0|000002||1|1000"});

    files.messages.answers = {platform::Answer::No};
    click(1);
    EXPECT_EQ(shown(), only("削除します。よろしいか。"));
    EXPECT_EQ(focused(), field(3));
    click(1); // Yes
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(focused(), field(2));
    EXPECT_EQ(window->recordState(), 3);

    // The line went behind the window's back: the delete says so and still clears the line.
    addLine(20260415, 416, 99);
    typeIn(2, "99");
    s().MainDatabase->execute("DELETE FROM F45TB");
    click(1);
    EXPECT_EQ(shown().back(), "データに不整合が生じました。作業を取り消します。");
    EXPECT_EQ(window->recordState(), 3);
}

TEST_F(VoucherEntryTest, FieldsFillAndClearEachOtherAsTheyAreLeft) {
    startVoucher("9");
    typeIn(3, "1"); // 売上代金: subject 1-101 売上, a receipt
    typeIn(4, "現金");
    EXPECT_EQ(focused(), field(5)); // a receipt line goes to the receipt field
    typeIn(10, "2");
    typeIn(11, "1");
    typeIn(11, "0"); // no counterpart code: no counterpart category either
    EXPECT_EQ(field(10)->text(), " 0");
    typeIn(3, "0"); // no description: subject, detail, counterpart and remark go
    EXPECT_EQ(focused(), field(7));
    EXPECT_EQ(texts({8, 4}), QStringList({"     0", ""}));
    typeIn(4, "");
    EXPECT_EQ(focused(), field(7)); // no subject yet: Enter from the remark goes to the subject
    typeIn(7, "2");
    typeIn(8, "202");
    EXPECT_EQ(name(1), "給料");
    enter(4);
    type("\n");
    EXPECT_EQ(focused(), field(6)); // an amount of 0 took the payment direction of 給料
    typeIn(5, "700");               // a receipt replaces what the payment field showed
    EXPECT_EQ(texts({5, 6}), QStringList({"            700", "              0"}));
}

// Typed into a line field and left by Enter, in turn: where the focus goes (-1 the register button). The
// remark sends a payment line to the payment field and a receipt line to the receipt field; the last
// field, the counterpart code, goes back to the remark.
TEST_F(VoucherEntryTest, EnterFromEachLineFieldGoesWhereTheLineIsTypedNext) {
    startVoucher("9");
    const std::tuple<int, const char*, int> cases[] = {{2, "1", 3},    {3, "2", 4},   {4, "", 6},  {6, "100", -1},
                                                       {5, "100", -1}, {4, "", 5},    {7, "2", 8}, {8, "201", 9},
                                                       {9, "0", 10},   {10, "2", 11}, {11, "1", 4}};
    for (const auto& [from, typed, to] : cases) {
        typeIn(from, typed);
        EXPECT_EQ(focused(), to < 0 ? static_cast<QWidget*>(button(0)) : field(to)) << from << " " << typed;
    }
    EXPECT_TRUE(shown().empty());
}

// From a field, a key goes to a field (-1 the search button).
TEST_F(VoucherEntryTest, ArrowKeysFollowTheThreeRowsOfFields) {
    const auto up = Qt::Key_Up, down = Qt::Key_Down, right = Qt::Key_Right, left = Qt::Key_Left;
    const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, controlShift = Qt::ControlModifier | shift;
    const std::tuple<int, Qt::Key, Qt::KeyboardModifiers, int> cases[] = {
        {4, up, none, 1},     {8, up, none, 3},           {9, up, none, 4},      {11, up, none, 5},
        {1, up, none, 1},     {3, down, none, 7},         {4, down, none, 9},    {5, down, none, 10},
        {6, down, none, 6},   {0, right, shift, 1},       {1, right, shift, -1}, {5, right, shift, 6},
        {6, right, shift, 6}, {10, right, shift, 11},     {8, left, shift, 7},   {7, left, shift, 7},
        {2, left, shift, 2},  {3, right, controlShift, 3}};
    for (const auto& [from, k, modifiers, to] : cases) {
        startVoucher("9"); // leaving field 0 or 1 disables the line fields
        enter(from);
        key(k, modifiers);
        EXPECT_EQ(focused(), to < 0 ? static_cast<QWidget*>(button(3)) : field(to)) << from << " " << k;
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(VoucherEntryTest, ListChoicesFillTheLineAndAChoiceWithoutACurrentRowDoesNothing) {
    addLine(20260410, 12, 3, 2222);
    QApplication::processEvents();
    chooseInGrid(frmACT0100::VoucherList, 1, "12"); // the number read, not the date's default
    EXPECT_EQ(texts({0, 1, 2}), QStringList({" 8年 4月10日", "    12", " 3"}));
    EXPECT_EQ(focused(), field(6));
    chooseInGrid(frmACT0100::DescriptionList, 0, "000001"); // the description's amount and direction too
    EXPECT_EQ(focused(), field(4));
    EXPECT_EQ(texts({8, 5}), QStringList({"   101", "              0"}));
    chooseInGrid(frmACT0100::SubjectList, 1, "202");
    EXPECT_EQ(focused(), field(10));
    chooseInGrid(frmACT0100::CodeList, 2, "一般顧客");
    EXPECT_EQ(focused(), field(4));
    chooseInGrid(frmACT0100::CodeList, 2, "水道");
    EXPECT_EQ(focused(), window->DBGrid1(frmACT0100::CodeList)); // the focus stays
    chooseInGrid(frmACT0100::CodeList, 2, "負債");               // a subject class chosen here changes nothing
    EXPECT_EQ(texts({7, 8, 9, 10, 11}), QStringList({" 2", "   202", "     3", " 2", "     1"}));

    s().F45Table->seek("=", {19990101, 1, 1});
    emit window->DBGrid1(frmACT0100::VoucherList)->rowChosen();
    EXPECT_EQ(field(2)->text(), " 3");
    EXPECT_TRUE(shown().empty());
}

TEST_F(VoucherEntryTest, DayNinetyNineIsStoredAsTheMonthsLastDayAndEndLetsTheCalendarGo) {
    typeIn(0, "080299");
    EXPECT_EQ(window->voucherDate(), 20260228);
    EXPECT_EQ(texts({0, 1}), QStringList({" 8年 2月28日", "228"}));
    EXPECT_EQ(s().CalendarOwnerForm, "frmACT0100");
    click(2);
    EXPECT_EQ(s().CalendarOwnerForm, "");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(VoucherEntryTest, F5RereadsTheListsAndTheCodeCategories) {
    addRow(*s().F10KBNTable, {{"F10KBN_ID", 4}, {"F10KBN_NAME", "部門"}, {"F10KBN_KETA", 2}, {"F10KBN_LEN", 10}});
    addRow(*s().F10Table, {{"F10_KBN", 4}, {"F10_COD", 1}, {"F10_DTL", "本店"}});
    EXPECT_EQ(data::CodeDigits(s(), 4), 0);
    enter(0);
    key(Qt::Key_F5);
    EXPECT_EQ(data::CodeDigits(s(), 4), 2);
    QApplication::processEvents();
    QAbstractItemModel* codes = window->DBGrid1(frmACT0100::CodeList)->model();
    EXPECT_FALSE(codes->match(codes->index(0, 2), Qt::DisplayRole, "本店", 1, Qt::MatchFixedString).isEmpty());
}

// A line with the largest amount, a remark of fifteen full-width characters and every name looked up.
TEST_F(VoucherEntryTest, EveryFieldOfALineIsReadWholeInsideTheMainWindow) {
    shell::useProgramFont();
    const testing_support::Fields line{{"F45_YMD", 20260415}, {"F45_DNO", 99999},
                                       {"F45_LIN", 99},       {"F45_KBN", 2},
                                       {"F45_ACT", 201},      {"F45_SRT", 1},
                                       {"F45_KND", 2},        {"F45_CUS", 1},
                                       {"F45_TEK", "000002"}, {"F45_RMK", "仕入先株式会社北海道支店第二"},
                                       {"F45_IO", 1},         {"F45_AMT", db::Currency::fromWhole(9'999'999'999)}};
    addRow(*s().F45Table, line);
    window.reset(); // the window is shown inside the main window's work area instead
    testing_support::WorkArea area;
    auto* shownWindow = new frmACT0100(s());
    area.show(shownWindow);
    s().F45Table->seek("=", {20260415, 99999, 99});
    emit shownWindow->DBGrid1(frmACT0100::VoucherList)->rowChosen();
    QApplication::processEvents();
    shownWindow->Text1(3)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(shownWindow->Text1(6)->text().trimmed().toStdString(), "9,999,999,999");
    EXPECT_EQ(testing_support::unreadableControls(shownWindow), "");
}

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

    testing_support::typeInto(window->Text1(0), "080420");
    EXPECT_EQ(main.activeName(), "frmACT0100");
    EXPECT_EQ(QApplication::focusWidget(), window->Text1(1));
    EXPECT_EQ(main.state.CalendarDate, 20260415);

    // A day double-clicked in the calendar while the date field or a line field held the focus comes into the
    // date field, and voucher entry comes back to the front.
    for (const auto& [from, day, date] : {std::tuple{0, "10", " 8年 4月10日"}, {4, "12", " 8年 4月12日"}}) {
        if (from == 4) QTest::mouseClick(window->Command1(3), Qt::LeftButton);
        window->Text1(from)->setFocus(Qt::MouseFocusReason);
        main.window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(calendar->parentWidget()));
        ASSERT_EQ(main.activeName(), "frmCalendar");
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

} // namespace

// Without 平成 and 令和 a day of 2026 lies in the 101st year of 昭和, whose era code has eight characters:
// the date's edit form is not cut from it, and its default voucher number is still the day's MMDD.
TEST_F(VoucherEntryTest, ADateWhoseEraYearHasThreeDigitsIsNeverCutIntoAFieldOrANumber) {
    for (const std::size_t era : {4, 5}) {
        s().F01Record.F01_STYMD[era] = 0;
        s().F01Record.F01_NENG[era] = "";
    }
    open(new frmACT0100(s()));
    EXPECT_EQ(field(0)->text(), "");
    pickInCalendar(s(), 20260420);
    EXPECT_EQ(window->voucherNo(), 420);
}
