// Conversions between stored dates (yyyymmdd) and the era dates users type and read.
#pragma once

#include "data/records.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace common {

// Era number and six typed characters YYMMDD to yyyymmdd. Err: 0 valid; 1 unknown era or the year
// is not two digits; 2 bad month; 3 bad day; 9 before every era. A day of 99 stays 99 in `ymd`.
void EraToDate(const data::F01Rec& control, std::int16_t era, const std::string& yymmdd, std::string& ymd,
               std::int16_t& err);

// yyyymmdd to the display text (" 5年 3月 1日") and the era code ("4120229"). A day of 99 reads as the
// month's last day. Err: 0 valid, 2 bad month, 3 bad day, 9 before every defined era.
void DateToEra(const data::F01Rec& control, std::int64_t ymd, std::string& text, std::string& code, std::int16_t& err);

// The era code's length: era number, YY, MM and DD.
inline constexpr std::size_t EraCodeLength = 7;

// True when the era code has its seven characters, so that its parts can be taken by position. The code
// of a date whose era year needs three digits (a later era left undefined) is longer, and no part of it
// may be cut out: a field or a proposed period stays empty instead.
bool EraCodeFits(const std::string& code);

// The legend of the newest two defined eras, newest first: " 4 :平成 3 :昭和".
void EraHintText(const data::F01Rec& control, std::string& text);

// Gregorian leap year.
bool IsLeapYear(std::int64_t year);
// The month's last day; 0 for a month outside 1 to 12.
std::int32_t LastDayOfMonth(int year, int month);

// A stored date whose day is 99 becomes the month's real last day; any other date is returned as it is.
std::int32_t ResolveDay99(std::int32_t ymd);

} // namespace common
