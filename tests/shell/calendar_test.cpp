// The calendar picker: weeks, month lengths, holidays, the highlighted day and the hand-off of a
// picked day to the owner's date field.
#include "shell/calendar_days.h"
#include "shell/calendar_window.h"
#include "support/test_files.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

using shell::frmCalendar;

namespace {

std::set<int> holidays(std::int16_t year, std::int16_t month) {
    std::int16_t leap = 0;
    shell::CheckLeapYear(year, leap);
    shell::HolidayFlags flags;
    flags.fill(true); // stale flags from an earlier month must not survive
    shell::MarkHolidays(year, month, shell::FirstWeekdayOf(year, month), leap, flags);
    std::set<int> days;
    for (int d = 1; d <= 31; ++d)
        if (flags[d]) days.insert(d);
    return days;
}

const QColor DarkRed(0xC0, 0, 0);
const QColor LightCyan(0x80, 0xFF, 0xFF);

QColor textColor(const QLabel *cell) { return cell->palette().color(QPalette::WindowText); }
QColor background(const QLabel *cell) { return cell->palette().color(QPalette::Window); }

// A window with two fields, the second a date field, that follows the owner's side of the hand-off:
// it names the focused field, its date field takes a waiting date, any other field drops it.
class DateOwner : public shell::ChildWindow {
public:
    DateOwner(data::ProgramState &state, const QString &name) : ChildWindow(name), state_(state) {
        for (int i = 0; i < 2; ++i) {
            fields[i] = new QLineEdit(this);
            fields[i]->move(10, 10 + 30 * i);
            fields[i]->installEventFilter(this);
        }
        resize(200, 100);
    }
    QWidget *fieldWidget(int index) override { return index >= 0 && index < 2 ? fields[index] : nullptr; }
    QLineEdit *fields[2];

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn) {
            const int index = watched == fields[0] ? 0 : 1;
            state_.CalendarFieldIndex = static_cast<std::int16_t>(index);
            if (index == 1 && state_.CalendarPicked == 1) {
                fields[1]->setText(QString::number(state_.CalendarDate));
                state_.CalendarPicked = 0;
            } else if (index != 1) {
                state_.CalendarPicked = 0;
            }
        }
        return ChildWindow::eventFilter(watched, event);
    }

private:
    data::ProgramState &state_;
};

struct CalendarFixture : ::testing::Test {
    CalendarFixture() {
        state.messages = &messages;
        state.today = [] { return 20260415; };
        state.CalendarDate = 20260415;
    }
    testing_support::ScriptedMessages messages;
    data::ProgramState state;
};

// The cell that shows day `day`, or -1.
int cellOf(frmCalendar &calendar, int day) {
    for (int i = 0; i < 42; ++i)
        if (calendar.Label3(i)->text().trimmed().toInt() == day) return i;
    return -1;
}

} // namespace

TEST(CalendarDays, MonthsStartOnTheirWeekday) {
    struct Case {
        std::int16_t year, month, weekday;
    } cases[] = {{1900, 1, 2}, {1900, 2, 5}, {1999, 1, 6}, {2000, 2, 3}, {2000, 10, 1},
                 {2001, 1, 2}, {2024, 2, 5}, {2026, 4, 4}, {2100, 12, 4}};
    for (const auto &c : cases)
        EXPECT_EQ(shell::FirstWeekdayOf(c.year, c.month), c.weekday) << c.year << "-" << c.month;
}

TEST(CalendarDays, FebruaryFollowsTheGregorianLeapRule) {
    struct Case {
        std::int16_t year, days;
    } cases[] = {{2000, 29}, {1900, 28}, {2024, 29}, {2023, 28}, {2100, 28}};
    for (const auto &c : cases) {
        std::int16_t leap = 0, days = 0;
        shell::CheckLeapYear(c.year, leap);
        shell::DaysInMonth(2, days, leap);
        EXPECT_EQ(days, c.days) << c.year;
    }
    std::int16_t days = 0;
    shell::DaysInMonth(4, days, 1);
    EXPECT_EQ(days, 30);
    shell::DaysInMonth(12, days, 1);
    EXPECT_EQ(days, 31);
    shell::DaysInMonth(13, days, 1);
    EXPECT_EQ(days, 31) << "a month outside the year leaves the count alone";
}

TEST(CalendarDays, HolidaysWithMovingMondaysEquinoxAndSubstitutes) {
    struct Case {
        std::int16_t year, month;
        std::set<int> days;
    } cases[] = {
        {1999, 1, {1, 15}},     {2001, 1, {1, 8}}, {2006, 1, {1, 2, 9}},    {2024, 2, {11, 12}},     {2024, 3, {20}},
        {2023, 3, {21}},        {2024, 4, {29}},   {2005, 5, {3, 4, 5}},    {2002, 5, {3, 4, 5, 6}}, {2024, 6, {}},
        {2024, 7, {20}},        {2024, 8, {}},     {2024, 9, {15, 16, 23}}, {1999, 10, {10, 11}},    {2000, 10, {9}},
        {2024, 11, {3, 4, 23}}, {2024, 12, {23}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(holidays(c.year, c.month), c.days) << c.year << "-" << c.month;
}

TEST_F(CalendarFixture, DaysFillTheWeeksFromTheFirstWeekday) {
    struct Case {
        std::int32_t date;
        int firstCell, lastDay;
    } cases[] = {{19000101, 1, 31}, {19000210, 4, 28}, {20000201, 2, 29}, {20240215, 4, 29}, {20260401, 3, 30}};
    frmCalendar calendar(state, {});
    for (const auto &c : cases) {
        state.CalendarDate = c.date;
        calendar.SyncCalendar();
        EXPECT_EQ(calendar.Combo1(0)->currentText().toInt(), c.date / 10000);
        EXPECT_EQ(calendar.Combo1(1)->currentText(), QString::number(c.date / 100 % 100)) << "no leading zero";
        for (int i = 0; i < 42; ++i) {
            const int day = i - c.firstCell + 1;
            const QString expected = day >= 1 && day <= c.lastDay ? QString::number(day).rightJustified(2) : QString();
            EXPECT_EQ(calendar.Label3(i)->text(), expected) << c.date << " cell " << i;
        }
    }
}

TEST_F(CalendarFixture, SundaysAndHolidaysAreRedAndTheDayNumberStaysHighlighted) {
    state.CalendarDate = 20240511;
    frmCalendar calendar(state, {});
    const QColor face = calendar.palette().color(QPalette::Button);
    // May 2024 starts on a Wednesday: the 5th is a Sunday and a holiday, the 6th its substitute.
    for (int day : {3, 4, 5, 6, 12})
        EXPECT_EQ(textColor(calendar.Label3(cellOf(calendar, day))), DarkRed) << day;
    for (int day : {2, 7, 11})
        EXPECT_EQ(textColor(calendar.Label3(cellOf(calendar, day))), QColor(Qt::black)) << day;
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(background(calendar.Label3(i)), i == cellOf(calendar, 11) ? LightCyan : face) << i;
    EXPECT_EQ(textColor(calendar.Label2(0)), DarkRed);
    EXPECT_EQ(textColor(calendar.Label2(6)), QColor(Qt::blue));

    // The user picks June from the list: the 11th of June is highlighted instead.
    QTest::keyClick(calendar.Combo1(1), Qt::Key_Down);
    ASSERT_EQ(calendar.Combo1(1)->currentText(), "6");
    EXPECT_EQ(calendar.Label3(0)->text(), "") << "June 2024 starts on a Saturday";
    EXPECT_EQ(calendar.Label3(6)->text(), " 1");
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(background(calendar.Label3(i)), i == cellOf(calendar, 11) ? LightCyan : face) << i;
    EXPECT_EQ(state.CalendarDate, 20240511) << "showing a month picks nothing";
}

TEST_F(CalendarFixture, DoubleClickHandsTheDayToTheOwnersDateField) {
    QMdiArea area;
    area.resize(800, 600);
    auto *owner = new DateOwner(state, "frmPrint");
    auto *calendar =
        new frmCalendar(state, [owner](const QString &name) { return name == owner->objectName() ? owner : nullptr; });
    area.addSubWindow(owner);
    area.addSubWindow(calendar);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow *>(owner->parentWidget()));
    owner->fields[0]->setFocus();
    state.CalendarOwnerForm = "frmPrint";
    state.CalendarFieldIndex = 1;

    // The user shows May and double-clicks the 20th in the calendar.
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow *>(calendar->parentWidget()));
    QTest::keyClick(calendar->Combo1(1), Qt::Key_Down);
    const int cell = cellOf(*calendar, 20);
    QTest::mouseDClick(calendar->Label3(cell), Qt::LeftButton);

    EXPECT_EQ(state.CalendarDate, 20260520);
    EXPECT_TRUE(owner->fields[1]->hasFocus());
    EXPECT_EQ(owner->fields[1]->text(), "20260520") << "the date field took the waiting date";
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_EQ(area.activeSubWindow()->widget(), owner);
    for (int i = 0; i < 42; ++i)
        EXPECT_EQ(background(calendar->Label3(i)) == LightCyan, i == cell) << i;
    EXPECT_TRUE(calendar->isVisible()) << "the calendar stays open";
}

TEST_F(CalendarFixture, APickWithoutAnOpenOwnerWaits) {
    int asked = 0;
    frmCalendar calendar(state, [&asked](const QString &) -> shell::ChildWindow * {
        ++asked;
        return nullptr;
    });
    struct Case {
        const char *owner;
        int lookups;
    } cases[] = {{"", 0}, {"frmOther", 0}, {"frmSIME", 1}};
    for (const auto &c : cases) {
        state.CalendarOwnerForm = c.owner;
        state.CalendarPicked = 0;
        asked = 0;
        QTest::mouseDClick(calendar.Label3(cellOf(calendar, 3)), Qt::LeftButton);
        EXPECT_EQ(state.CalendarPicked, 1) << c.owner;
        EXPECT_EQ(state.CalendarDate, 20260403) << c.owner;
        EXPECT_EQ(asked, c.lookups) << c.owner;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CalendarFixture, DoubleClickOnAnEmptyCellIsRefused) {
    frmCalendar calendar(state, {});
    QTest::mouseDClick(calendar.Label3(0), Qt::LeftButton); // April 2026 starts on a Wednesday
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "日付の指定が正しくありません。");
    EXPECT_EQ(state.CalendarDate, 20260415);
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_EQ(background(calendar.Label3(cellOf(calendar, 15))), LightCyan);
}

TEST_F(CalendarFixture, ADateOutsideTheListsKeepsTheShownMonth) {
    frmCalendar calendar(state, {});
    state.CalendarDate = 0;
    calendar.SyncCalendar();
    EXPECT_EQ(calendar.Combo1(0)->currentText(), "2026");
    EXPECT_EQ(calendar.Combo1(1)->currentText(), "4");
    EXPECT_EQ(calendar.Label3(3)->text(), " 1");
}
