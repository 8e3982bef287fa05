#include "journal/closing_dialog_window.h"
#include "journal/closing_files.h"
#include "support/window_test.h"

#include <functional>
#include <tuple>

namespace {

using journal::frmSIME;

constexpr char Finished[] = "作業が終了しました。";

// Lets a test look at the dialog while a run waits for the user's answer.
class WatchingMessages : public testing_support::ScriptedMessages {
public:
    platform::Answer show(const std::string& text, platform::Buttons buttons, bool defaultSecond) override {
        if (buttons == platform::Buttons::YesNo && onQuestion) onQuestion();
        return ScriptedMessages::show(text, buttons, defaultSecond);
    }
    std::function<void()> onQuestion;
};

// April 2026 in a year that starts in January: subject 10 with its detail 1, subject 20, and their lines.
class ClosingDialogTest : public testing_support::WindowTest<frmSIME> {
protected:
    void SetUp() override {
        s.messages = &messages;
        s.F01Record.F01_ACT = 20260415;
        file.addSubject(1, 10, 0, 0, 0);
        file.addSubject(1, 10, 1, 0, 0);
        file.addSubject(2, 20, 0, 1, 1);
        const std::vector<testing_support::ClosingFile::Line> lines{{20260401, 1, 10, 0, 0, 1000},
                                                                    {20260410, 1, 10, 1, 0, 500},
                                                                    {20260410, 2, 20, 0, 1, 300},
                                                                    {20260501, 1, 10, 0, 0, 7}};
        file.addLines(lines);
        file.cashRow();
    }
    void openFor(std::int16_t mode) {
        s.SimeMode = mode;
        open(new frmSIME(s));
    }
    void clickStart() { QTest::mouseClick(button(frmSIME::StartButton), Qt::LeftButton); }
    // The counts of the three tables a run touched, as "3/3/1".
    QString counts() const { return texts({10, 11, 12}).join('/').remove(' '); }

    testing_support::ClosingFile file;
    data::ProgramState& s = file.s;
    WatchingMessages messages;
};

TEST_F(ClosingDialogTest, EachJobProposesThePeriodOfTheProcessingDateAndStartRunsIt) {
    const std::tuple<std::int16_t, QString, QString, QString> cases[] = {
        {1, "43804", " 4 :平成 3 :昭和", "38年 4月15日"}, {2, "508", " 5 :令和 4 :平成", " 8年 4月15日"}};
    for (const auto& [mode, period, legend, date] : cases) {
        if (mode == 2) file.defineFifthEra();
        openFor(mode);
        EXPECT_EQ(texts({0, 3}) << window->Label1(3)->text(), QStringList({period, date, legend}));
        EXPECT_EQ(s.SimeDate, 20260415);
        EXPECT_EQ(s.CalendarOwnerForm, "frmSIME");
        EXPECT_EQ(focused(), field(0));
        if (mode == 2) continue; // the year-end asks first: see TheYearEndAsks below
        clickStart();            // the check lets the proposal through and the monthly totals run
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(hint(), Finished);
        EXPECT_EQ(counts(), "3/3/1");
        EXPECT_EQ(focused(), button(frmSIME::EndButton));
    }
}

// The parameter's own refusals are the checks' (closing_checks_test); here the dialog's part.
TEST_F(ClosingDialogTest, ARefusalShowsItsMessageAndKeepsTheFocusTheDateAndTheEarlierCounts) {
    openFor(1);
    clickStart();
    const QString earlier = counts();
    const std::string digits = "入力結果が数字ではありません。", six = "6桁(YYMMDD)で入力して下さい。";
    const std::string badDay = "日付の誤りです。再度、入力して下さい。";
    const std::tuple<int, QString, std::string> cases[] = {
        {0, "4a804", digits}, {3, "38041", six}, {3, "38a415", badDay}, {3, "380230", badDay}};
    for (const auto& [index, typed, message] : cases) {
        messages.shown.clear();
        retype(index, typed);
        clickStart();
        EXPECT_EQ(messages.shown, testing_support::only(message)) << typed.toStdString();
        EXPECT_EQ(focused(), field(index)) << typed.toStdString();
        EXPECT_EQ(counts(), earlier) << typed.toStdString();
        EXPECT_EQ(s.SimeDate, 20260415) << typed.toStdString();
        field(0)->setText("43804");
    }

    // Digits typed, then another era: leaving the field converts them with the new era.
    retype(3, "080501");
    window->Combo1(3)->setFocus(Qt::MouseFocusReason);
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), field(3));
    key(Qt::Key_Return);
    EXPECT_EQ(s.SimeDate, 19330501);
    EXPECT_EQ(field(3)->text(), " 8年 5月 1日");
    EXPECT_EQ(focused(), button(frmSIME::StartButton));
}

TEST_F(ClosingDialogTest, AFailedRunDoesNotSayFinishedAndLeavesTheFileAsItWas) {
    openFor(1);
    file.failWritesOf("F46TB"); // the rollback and its message are the job's test
    clickStart();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(hint(), "");
    EXPECT_EQ(counts(), "//"); // nothing the failed run counted stays on screen
    EXPECT_TRUE(button(frmSIME::StartButton)->isEnabled());
}

TEST_F(ClosingDialogTest, TheYearEndAsksWhileHoldingTheDialogAndNoChangesNothing) {
    openFor(2);
    retype(0, "438");
    messages.onQuestion = [this] {
        EXPECT_FALSE(button(frmSIME::StartButton)->isEnabled());
        EXPECT_EQ(hint(), "作業中です。");
        window->close(); // refused while the run holds the dialog
        EXPECT_TRUE(window->isVisible());
    };
    const auto before = file.everyRow();
    messages.answers = {platform::Answer::No};
    clickStart();
    EXPECT_EQ(messages.shown, testing_support::only(
                                  "平成38年12月31日までの伝票データ 4件を削除し、年次〆を行います。よろしいですか。"));
    EXPECT_EQ(file.everyRow(), before);
    EXPECT_EQ(hint(), "");

    // Yes closes the year with the closing date of the dialog.
    retype(3, "380420");
    key(Qt::Key_Tab);
    messages.onQuestion = nullptr;
    clickStart();
    EXPECT_EQ(hint(), Finished);
    EXPECT_EQ(counts(), "3/4/1");
    EXPECT_EQ(s.MainDatabase->openSnapshot("SELECT F01_UPD FROM F01TB")->field(0).asInt(), 20260420);
}

// From a field, a key goes to a field (-1 the start button); Enter trims what it leaves.
TEST_F(ClosingDialogTest, EnterAndDownWalkTheFieldsToTheStartButtonAndUpWalksBack) {
    openFor(1);
    field(1)->setText(" 12 ");
    const auto enterKey = Qt::Key_Return, down = Qt::Key_Down, up = Qt::Key_Up;
    const std::tuple<int, Qt::Key, int> cases[] = {
        {0, enterKey, 1}, {1, enterKey, 2}, {2, enterKey, 3}, {3, enterKey, -1}, {0, down, 1}, {1, down, 2},
        {2, down, 3},     {3, down, -1},    {0, up, 0},       {1, up, 0},        {2, up, 1},   {3, up, 3}};
    for (const auto& [from, k, to] : cases) {
        enter(from);
        key(k);
        EXPECT_EQ(focused(), to < 0 ? static_cast<QWidget*>(button(frmSIME::StartButton)) : field(to)) << from << k;
    }
    EXPECT_EQ(field(1)->text(), "12");
    EXPECT_TRUE(messages.shown.empty());
}

// The calendar's hand-off through the work area is voucher entry's test; here what the dialog does with the day.
TEST_F(ClosingDialogTest, ADayPickedInTheCalendarBecomesTheClosingDateOnlyFromTheDateField) {
    openFor(2);
    // From the date field the day comes in and the focus moves on; from the parameter only the focus comes back.
    const std::tuple<int, int, QWidget*> picks[] = {{frmSIME::DateField, 20260420, button(frmSIME::StartButton)},
                                                    {0, 20260425, field(0)}};
    for (const auto& [from, date, focus] : picks) {
        enter(from);
        pickInCalendar(s, date);
        EXPECT_EQ(s.SimeDate, 20260420);
        EXPECT_EQ(field(3)->text(), "38年 4月20日");
        EXPECT_EQ(focused(), focus);
        EXPECT_EQ(s.CalendarPicked, 0);
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace

// Without 平成 and 令和 the processing date lies in the 101st year of 昭和: its era code is eight characters long,
// and a period or an edit form cut from it would name another month (昭和10年10月).
TEST_F(ClosingDialogTest, NoPeriodOrDateIsCutFromAnEraCodeWhoseYearHasThreeDigits) {
    s.F01Record.F01_STYMD[4] = 0;
    s.F01Record.F01_NENG[4] = "";
    for (const std::int16_t mode : {1, 2}) {
        openFor(mode);
        EXPECT_EQ(texts({0}), QStringList({""})) << mode;
        enter(3);
        EXPECT_EQ(texts({3}), QStringList({""})) << mode;
    }
}
