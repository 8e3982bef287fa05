#include "journal/closing_dialog_window.h"
#include "journal/closing_files.h"
#include "shell/calendar_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using journal::frmSIME;
using testing_support::ClosingFile;

constexpr char Finished[] = "作業が終了しました。";
constexpr char ParameterHint[] = "該当項目の設定値を入力して下さい。";

// Lets a test look at the dialog while a run waits for the user's answer.
class WatchingMessages : public testing_support::ScriptedMessages {
public:
    platform::Answer show(const std::string& text, platform::Buttons buttons, bool defaultSecond) override {
        if (buttons == platform::Buttons::YesNo && onQuestion) onQuestion();
        return ScriptedMessages::show(text, buttons, defaultSecond);
    }
    std::function<void()> onQuestion;
};

class ClosingDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.messages = &messages;
        s.F01Record.F01_ACT = 20260415;
        // April 2026 in a year that starts in January: subject 10 and its detail 1, lines of both.
        file.addSubject(1, 10, 0, 0, 0);
        file.addSubject(1, 10, 1, 0, 0);
        file.addSubject(2, 20, 0, 1, 1);
        file.addLine(20260401, 1, 1, 1, 10, 0, 0, 1000);
        file.addLine(20260410, 2, 1, 1, 10, 1, 0, 500);
        file.addLine(20260410, 2, 2, 2, 20, 0, 1, 300);
        file.addLine(20260501, 3, 1, 1, 10, 0, 0, 7);
        file.cashRow();
    }

    void open(std::int16_t mode) {
        s.SimeMode = mode;
        window = std::make_unique<frmSIME>(s);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    QLineEdit* field(int index) const { return window->Text1(index); }
    QPushButton* button(int index) const { return window->Command1(index); }
    QString hint() const { return window->hintLine()->text(); }
    void enter(int index) {
        field(index)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(focused(), k, modifiers); }
    void retype(int index, const QString& text) {
        enter(index);
        field(index)->selectAll();
        key(Qt::Key_Delete);
        QTest::keyClicks(field(index), text);
    }
    long long lineCount() { return s.MainDatabase->openSnapshot("SELECT COUNT(*) FROM F45TB")->field(0).asInt(); }
    void clickStart() { QTest::mouseClick(button(frmSIME::StartButton), Qt::LeftButton); }
    std::vector<QString> counts() const {
        std::vector<QString> texts;
        for (int i = 10; i <= 14; ++i)
            texts.push_back(field(i)->text());
        return texts;
    }

    ClosingFile file;
    data::ProgramState& s = file.s;
    WatchingMessages messages;
    std::unique_ptr<frmSIME> window;
};

TEST_F(ClosingDialogTest, EachJobFillsTheDialogAndItsProposedPeriodPassesTheCheck) {
    struct Case {
        std::int16_t mode;
        bool fifthEra;
        QString title, period, legend, dateText;
    };
    const Case cases[] = {
        {1, false, "月次集計　（月次〆）", "43804", " 4 :平成 3 :昭和", "38年 4月15日"},
        {2, true, "年次〆作業", "508", " 5 :令和 4 :平成", " 8年 4月15日"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period.toStdString());
        if (c.fifthEra) file.defineFifthEra();
        messages.answers = {platform::Answer::No};
        open(c.mode);
        EXPECT_EQ(window->windowTitle(), "〆作業の指定");
        EXPECT_EQ(window->Label1(16)->text(), c.title);
        EXPECT_EQ(field(0)->text(), c.period);
        EXPECT_EQ(window->Label1(3)->text(), c.legend);
        EXPECT_EQ(window->Label1(12)->text(), "現金残高テーブル");
        EXPECT_EQ(field(3)->text(), c.dateText);
        EXPECT_EQ(s.SimeDate, 20260415);
        EXPECT_EQ(s.CalendarOwnerForm, "frmSIME");
        EXPECT_EQ(focused(), field(0));
        EXPECT_EQ(hint(), ParameterHint);

        // The check lets the proposal through: the monthly totals finish, the year-end asks and is told No.
        clickStart();
        EXPECT_EQ(messages.shown.size(), c.mode == 1 ? 0u : 1u);
        EXPECT_EQ(hint(), c.mode == 1 ? Finished : "");
        window->close();
        EXPECT_EQ(s.CalendarOwnerForm, "");
    }
}

TEST_F(ClosingDialogTest, StartRunsTheMonthlyTotalsAndShowsTheCountsAndFinished) {
    open(1);
    clickStart();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(hint(), Finished);
    EXPECT_EQ(counts(), (std::vector<QString>{"          3", "          3", "          1", "", ""}));
    EXPECT_EQ(focused(), button(frmSIME::EndButton));
    EXPECT_EQ(file.figure(1, 10, 0, 4), 1500);
    EXPECT_EQ(file.figure(2, 20, 0, 4), 300);
    EXPECT_EQ(file.cashRow().Amt[1][4], db::Currency::fromWhole(1500));
}

TEST_F(ClosingDialogTest, ARefusalShowsItsMessageAndKeepsTheFocusTheDateAndTheEarlierCounts) {
    open(1);
    clickStart();
    const std::vector<QString> earlier = counts();
    struct Case {
        int index;
        QString typed;
        std::string message;
    };
    const Case cases[] = {
        {0, "", "5桁で入力して下さい。"},
        {0, "4a804", "入力結果が数字ではありません。"},
        {0, "43813", "日付の誤りです。"},
        {3, "38041", "6桁(YYMMDD)で入力して下さい。"},
        {3, "38a415", "日付の誤りです。再度、入力して下さい。"},
        {3, "380230", "日付の誤りです。再度、入力して下さい。"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        retype(c.index, c.typed);
        clickStart();
        EXPECT_EQ(messages.shown, std::vector<std::string>{c.message}) << c.typed.toStdString();
        EXPECT_EQ(focused(), field(c.index)) << c.typed.toStdString();
        EXPECT_EQ(counts(), earlier) << c.typed.toStdString();
        EXPECT_EQ(s.SimeDate, 20260415) << c.typed.toStdString();
        field(0)->setText("43804");
    }

    // Digits typed, then another era: leaving the field converts them with the new era.
    retype(3, "080501");
    shell::EraList* eras = window->Combo1(3);
    eras->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(eras, Qt::Key_Up);
    EXPECT_EQ(focused(), field(3));
    key(Qt::Key_Return);
    EXPECT_EQ(s.SimeDate, 19330501);
    EXPECT_EQ(field(3)->text(), " 8年 5月 1日");
    EXPECT_EQ(focused(), button(frmSIME::StartButton));
}

TEST_F(ClosingDialogTest, AFailedRunDoesNotSayFinishedAndLeavesTheFileAsItWas) {
    open(1);
    file.failWritesOf("F46TB");
    const auto before = file.everyRow();
    clickStart();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("Err.Number = ", 0), 0u) << messages.shown[0];
    EXPECT_EQ(hint(), "");
    EXPECT_EQ(counts(), std::vector<QString>(5)); // nothing the failed run counted stays on screen
    EXPECT_EQ(file.everyRow(), before);
    EXPECT_TRUE(button(frmSIME::StartButton)->isEnabled());

    // Once the fault is gone the same dialog runs the month.
    s.MainDatabase->execute("DROP TRIGGER refuse_F46TB");
    clickStart();
    EXPECT_EQ(hint(), Finished);
    EXPECT_EQ(file.figure(1, 10, 0, 4), 1500);
}

TEST_F(ClosingDialogTest, TheYearEndAsksWhileHoldingTheDialogAndNoChangesNothing) {
    open(2);
    retype(0, "438");
    bool startEnabled = true;
    bool stillOpenAfterClose = false;
    QString shownWhileAsking;
    messages.onQuestion = [&] {
        startEnabled = button(frmSIME::StartButton)->isEnabled();
        shownWhileAsking = hint();
        window->close(); // refused while the run holds the dialog
        stillOpenAfterClose = window->isVisible();
    };
    const auto before = file.everyRow();
    messages.answers = {platform::Answer::No};
    clickStart();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "平成38年12月31日までの伝票データ 4件を削除し、年次〆を行います。よろしいですか。");
    EXPECT_FALSE(startEnabled);
    EXPECT_EQ(shownWhileAsking, "作業中です。");
    EXPECT_TRUE(stillOpenAfterClose);
    EXPECT_EQ(file.everyRow(), before);
    EXPECT_EQ(hint(), "");
    EXPECT_EQ(counts(), std::vector<QString>(5));

    // Yes closes the year with the closing date of the dialog.
    retype(3, "380420");
    key(Qt::Key_Tab);
    messages.onQuestion = nullptr;
    clickStart();
    EXPECT_EQ(hint(), Finished);
    EXPECT_EQ(counts(), (std::vector<QString>{"          3", "          4", "          1", "", ""}));
    EXPECT_EQ(lineCount(), 0);
    std::int16_t status = -1;
    data::F01Access(s, "GET", status);
    EXPECT_EQ(s.F01Record.F01_UPD, 20260420);
}

TEST_F(ClosingDialogTest, ADayPickedInTheCalendarBecomesTheClosingDateOnlyFromTheDateField) {
    s.SimeMode = 2;
    QMdiArea area;
    area.resize(900, 700);
    window = std::make_unique<frmSIME>(s);
    auto* calendar = new shell::frmCalendar(
        s, [this](const QString& name) -> shell::ChildWindow* { return name == "frmSIME" ? window.get() : nullptr; });
    QMdiSubWindow* dialogFrame = area.addSubWindow(window.get());
    QMdiSubWindow* calendarFrame = area.addSubWindow(calendar);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    auto dayCell = [calendar](int day) {
        for (int i = 0; i < 42; ++i)
            if (calendar->Label3(i)->text().trimmed().toInt() == day) return calendar->Label3(i);
        return static_cast<QLabel*>(nullptr);
    };

    area.setActiveSubWindow(dialogFrame);
    enter(3);
    area.setActiveSubWindow(calendarFrame);
    QTest::mouseDClick(dayCell(20), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(s.SimeDate, 20260420);
    EXPECT_EQ(field(3)->text(), "38年 4月20日");
    EXPECT_EQ(focused(), button(frmSIME::StartButton));
    EXPECT_EQ(s.CalendarPicked, 0);

    // From the parameter field only the focus comes back.
    enter(0);
    area.setActiveSubWindow(calendarFrame);
    QTest::mouseDClick(dayCell(25), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(s.SimeDate, 20260420);
    EXPECT_EQ(focused(), field(0));
    EXPECT_EQ(s.CalendarPicked, 0);
    EXPECT_TRUE(messages.shown.empty());
    area.removeSubWindow(window.get());
    window->setParent(nullptr);
}

} // namespace
