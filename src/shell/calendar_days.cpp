#include "shell/calendar_days.h"

#include "common/era_dates.h"

#include <initializer_list>

namespace shell {

void CheckLeapYear(std::int16_t Year, std::int16_t& Leap) { Leap = common::IsLeapYear(Year) ? 1 : 0; }

void DaysInMonth(std::int16_t Month, std::int16_t& Days, std::int16_t Leap) {
    if (Month == 2) {
        Days = static_cast<std::int16_t>(28 + Leap);
    } else if (Month >= 1 && Month <= 12) {
        Days = static_cast<std::int16_t>(common::LastDayOfMonth(2001, Month)); // any common year will do
    }
}

namespace {

// Marks day h and, when h falls on a Sunday, the day after it.
void markDay(int h, int firstWeekday, HolidayFlags& flags) {
    if (h < 1 || h > 31) return;
    flags[h] = true;
    int weekday = (h - 1) % 7 + firstWeekday;
    if (weekday > 7) weekday -= 7;
    if (weekday == 1 && h + 1 <= 31) flags[h + 1] = true;
}

} // namespace

void MarkHolidays(std::int16_t Year, std::int16_t Month, std::int16_t FirstWeekday, std::int16_t Leap,
                  HolidayFlags& Flags) {
    for (int d = 1; d <= 31; ++d)
        Flags[d] = false;
    const int secondMonday = FirstWeekday <= 2 ? 10 - FirstWeekday : 17 - FirstWeekday;
    auto mark = [&](std::initializer_list<int> days) {
        for (int h : days)
            markDay(h, FirstWeekday, Flags);
    };
    switch (Month) {
    case 1:
        mark({1, Year < 2000 ? 15 : secondMonday});
        break;
    case 2:
        mark({11});
        break;
    case 3:
        mark({Leap == 1 ? 20 : 21});
        break;
    case 4:
        mark({29});
        break;
    case 5:
        mark({3, 4, 5});
        break;
    case 7:
        mark({20});
        break;
    case 9:
        mark({15, 23});
        break;
    case 10:
        mark({Year < 2000 ? 10 : secondMonday});
        break;
    case 11:
        mark({3, 23});
        break;
    case 12:
        mark({23});
        break;
    default:
        break;
    }
}

std::int16_t FirstWeekdayOf(std::int16_t year, std::int16_t month) {
    std::int32_t days = 0;
    for (std::int16_t y = 1900; y < year; ++y) {
        std::int16_t leap = 0;
        CheckLeapYear(y, leap);
        days += 365 + leap;
    }
    std::int16_t leap = 0;
    CheckLeapYear(year, leap);
    for (std::int16_t m = 1; m < month; ++m) {
        std::int16_t length = 0;
        DaysInMonth(m, length, leap);
        days += length;
    }
    int weekday = days % 7 + 2;
    if (weekday > 7) weekday -= 7;
    return static_cast<std::int16_t>(weekday);
}

} // namespace shell
