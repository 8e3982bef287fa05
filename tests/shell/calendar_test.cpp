// The calendar picker: weeks, holidays, the highlighted day and a pick that waits for its owner. The hand-off
// to an open owner is tested with voucher entry in the main window; each owner tests what it does with the day.
#include "shell/calendar_days.h"
#include "shell/calendar_window.h"
#include "support/test_files.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

using shell::frmCalendar;

namespace {

const QColor DarkRed(0xC0, 0, 0);
const QColor LightCyan(0x80, 0xFF, 0xFF);

QColor textColor(const QLabel* cell) { return cell->palette().color(QPalette::WindowText); }
QColor background(const QLabel* cell) { return cell->palette().color(QPalette::Window); }

struct CalendarTest : ::testing::Test, testing_support::ScriptedServices {
    CalendarTest() {
        attach(state);
        state.CalendarDate = 20260415;
    }
    // The cell that shows day `day`, or -1.
    int cellOf(int day) {
        for (int i = 0; i < 42; ++i)
            if (calendar.Label3(i)->text().trimmed().toInt() == day) return i;
        return -1;
    }
    // The cells with the light cyan of the highlighted day.
    std::vector<int> highlighted() {
        std::vector<int> cells;
        for (int i = 0; i < 42; ++i)
            if (background(calendar.Label3(i)) == LightCyan) cells.push_back(i);
        return cells;
    }

    data::ProgramState state;
    frmCalendar calendar{state, {}};
};

} // namespace

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
    for (const auto& c : cases) {
        std::int16_t leap = 0;
        shell::CheckLeapYear(c.year, leap);
        shell::HolidayFlags flags;
        flags.fill(true); // stale flags from an earlier month must not survive
        shell::MarkHolidays(c.year, c.month, shell::FirstWeekdayOf(c.year, c.month), leap, flags);
        std::set<int> days;
        for (int d = 1; d <= 31; ++d)
            if (flags[d]) days.insert(d);
        EXPECT_EQ(days, c.days) << c.year << "-" << c.month;
    }
}

TEST_F(CalendarTest, DaysFillTheWeeksFromTheFirstWeekdayToTheMonthsLastDay) {
    struct Case {
        std::int32_t date;
        int firstCell, lastDay;
    } cases[] = {{19000101, 1, 31}, {19000210, 4, 28}, {20000201, 2, 29}, {20240215, 4, 29}, {20260401, 3, 30}};
    for (const auto& c : cases) {
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
    // A date outside the lists keeps the month shown.
    state.CalendarDate = 0;
    calendar.SyncCalendar();
    EXPECT_EQ(calendar.Combo1(0)->currentText() + "/" + calendar.Combo1(1)->currentText(), "2026/4");
}

TEST_F(CalendarTest, SundaysAndHolidaysAreRedAndTheDayNumberStaysHighlighted) {
    state.CalendarDate = 20240511;
    calendar.SyncCalendar();
    // May 2024 starts on a Wednesday: the 5th is a Sunday and a holiday, the 6th its substitute.
    for (int day : {3, 4, 5, 6, 12})
        EXPECT_EQ(textColor(calendar.Label3(cellOf(day))), DarkRed) << day;
    for (int day : {2, 7, 11})
        EXPECT_EQ(textColor(calendar.Label3(cellOf(day))), QColor(Qt::black)) << day;
    EXPECT_EQ(highlighted(), std::vector<int>{cellOf(11)});
    EXPECT_EQ(textColor(calendar.Label2(0)), DarkRed);
    EXPECT_EQ(textColor(calendar.Label2(6)), QColor(Qt::blue));

    // The user picks June from the list: it starts on a Saturday, and the 11th of June is highlighted instead.
    QTest::keyClick(calendar.Combo1(1), Qt::Key_Down);
    EXPECT_EQ(calendar.Label3(5)->text() + "|" + calendar.Label3(6)->text(), "| 1");
    EXPECT_EQ(highlighted(), std::vector<int>{cellOf(11)});
    EXPECT_EQ(state.CalendarDate, 20240511) << "showing a month picks nothing";
}

TEST_F(CalendarTest, TheYearAndMonthListsShowTheirDropDownArrow) {
    for (QComboBox* list : {calendar.Combo1(0), calendar.Combo1(1)}) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect button =
            list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, list);
        const QImage image = list->grab().toImage().copy(button);
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += QColor(image.pixel(x, y)).lightness() < 100;
        EXPECT_GE(dark, 6) << list->currentText().toStdString();
    }
}

TEST_F(CalendarTest, APickWithoutAnOpenOwnerWaitsAndAnEmptyCellIsRefused) {
    int asked = 0;
    frmCalendar picker(state, [&asked](const QString&) -> shell::ChildWindow* {
        ++asked;
        return nullptr;
    });
    const std::pair<const char*, int> cases[] = {{"", 0}, {"frmOther", 0}, {"frmSIME", 1}}; // owner, look-ups
    for (const auto& [owner, lookups] : cases) {
        state.CalendarOwnerForm = owner;
        state.CalendarPicked = 0;
        asked = 0;
        QTest::mouseDClick(picker.Label3(6), Qt::LeftButton); // the 4th
        EXPECT_EQ(state.CalendarPicked, 1) << owner;
        EXPECT_EQ(state.CalendarDate, 20260404) << owner;
        EXPECT_EQ(asked, lookups) << owner;
    }
    EXPECT_TRUE(messages.shown.empty());

    state.CalendarPicked = 0;
    QTest::mouseDClick(picker.Label3(0), Qt::LeftButton); // April 2026 starts on a Wednesday
    EXPECT_EQ(messages.shown, std::vector<std::string>{"日付の指定が正しくありません。"});
    EXPECT_EQ(state.CalendarDate, 20260404);
    EXPECT_EQ(state.CalendarPicked, 0);
    EXPECT_EQ(background(picker.Label3(6)), LightCyan);
}
