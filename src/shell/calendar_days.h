// The day arithmetic of the calendar picker: leap years, month lengths, the weekday a month
// starts on and the public holidays of a month.
#pragma once

#include <array>
#include <cstdint>

namespace shell {

// Index d is day d of the month; index 0 is never used.
using HolidayFlags = std::array<bool, 32>;

// Leap := 1 for a Gregorian leap year, else 0.
void CheckLeapYear(std::int16_t Year, std::int16_t& Leap);

// Days := 31, 30 or 28 + Leap; a month outside 1 to 12 leaves Days as it was.
void DaysInMonth(std::int16_t Month, std::int16_t& Days, std::int16_t Leap);

// Sets the flags of the month's public holidays, with a substitute holiday after one on a Sunday.
// `FirstWeekday` is the weekday of the month's first day, 1 = Sunday to 7 = Saturday.
void MarkHolidays(std::int16_t Year, std::int16_t Month, std::int16_t FirstWeekday, std::int16_t Leap,
                  HolidayFlags& Flags);

// The weekday of the first day of a month, 1 = Sunday to 7 = Saturday, counted from
// 1 January 1900, a Monday.
std::int16_t FirstWeekdayOf(std::int16_t year, std::int16_t month);

} // namespace shell
