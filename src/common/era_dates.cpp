#include "common/era_dates.h"

#include <array>

namespace common {
namespace {

constexpr int EraCount = 5;
// Input years of the first four eras are read with these offsets whatever the control row says.
constexpr std::array<int, 5> FixedYearBase{0, 1867, 1911, 1925, 1988};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (text.size() < from + count) return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (!isDigit(text[i])) return false;
    return true;
}

std::string zeroPadded(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string blankPadded(std::int64_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// The year before an era's first year, from its first day.
std::int64_t yearBaseOf(std::int32_t start) { return std::stoll(zeroPadded(start, 8).substr(0, 4)) - 1; }

} // namespace

bool IsLeapYear(std::int64_t year) { return (year % 400 == 0) || (year % 100 != 0 && year % 4 == 0); }

std::int32_t LastDayOfMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

std::int32_t ResolveDay99(std::int32_t ymd) {
    if (ymd < 0 || ymd % 100 != 99) return ymd;
    const std::int32_t last = LastDayOfMonth(ymd / 10000, (ymd / 100) % 100);
    return last == 0 ? ymd : ymd - 99 + last;
}

void EraToDate(const data::F01Rec& control, std::int16_t era, const std::string& yymmdd, std::string& ymd,
               std::int16_t& err) {
    err = 0;
    std::int64_t base = 0;
    if (era >= 1 && era <= 4) {
        base = FixedYearBase[static_cast<std::size_t>(era)];
    } else if (era == 5 && control.F01_STYMD[5] > 0) {
        base = yearBaseOf(control.F01_STYMD[5]);
    } else {
        err = 1;
        return;
    }
    // A closing-date field hands on whatever was typed, so the text is checked before it is read as a number.
    if (!allDigits(yymmdd, 0, 2)) {
        err = 1;
        return;
    }
    if (!allDigits(yymmdd, 2, 2)) {
        err = 2;
        return;
    }
    if (yymmdd.size() != 6 || !allDigits(yymmdd, 4, 2)) {
        err = 3;
        return;
    }
    const std::int64_t year = base + std::stoi(yymmdd.substr(0, 2));
    ymd = zeroPadded(year, 4) + yymmdd.substr(2, 4);
    std::string text;
    std::string code;
    DateToEra(control, std::stoll(ymd), text, code, err);
}

void DateToEra(const data::F01Rec& control, std::int64_t ymd, std::string& text, std::string& code, std::int16_t& err) {
    err = 0;
    if (ymd < 0) {
        err = 9;
        return;
    }
    const std::string s = zeroPadded(ymd, 8);
    const std::int64_t year = std::stoll(s.substr(0, 4));
    const int month = std::stoi(s.substr(4, 2));
    int day = std::stoi(s.substr(s.size() - 2));
    if (month < 1 || month > 12) {
        err = 2;
        return;
    }
    const int last = LastDayOfMonth(static_cast<int>(year), month);
    if (day > 98) day = last;
    if (day < 1 || day > last) {
        err = 3;
        return;
    }

    int era = 0;
    std::int64_t base = 0;
    for (int i = 1; i <= EraCount; ++i) {
        const std::int32_t start = control.F01_STYMD[static_cast<std::size_t>(i)];
        if (start <= 0) continue;
        if (ymd < start) break;
        era = i;
        base = yearBaseOf(start);
    }
    if (era == 0) {
        err = 9;
        return;
    }
    // A year of 100 or more is written in full, so the text and code grow rather than show a wrong year.
    const std::int64_t eraYear = year - base;
    text = blankPadded(eraYear, 2) + "年" + blankPadded(month, 2) + "月" + blankPadded(day, 2) + "日";
    code = std::to_string(era) + zeroPadded(eraYear, 2) + zeroPadded(month, 2) + zeroPadded(day, 2);
}

bool EraCodeFits(const std::string& code) { return code.size() == EraCodeLength; }

void EraHintText(const data::F01Rec& control, std::string& text) {
    text.clear();
    int listed = 0;
    for (int i = EraCount; i >= 1 && listed < 2; --i) {
        const auto index = static_cast<std::size_t>(i);
        if (control.F01_STYMD[index] <= 0) continue;
        // Appended piece by piece: GCC 12 warns falsely about " " + std::string&&.
        text += ' ';
        text += std::to_string(i);
        text += " :";
        text += control.F01_NENG[index].trimmed();
        ++listed;
    }
}

} // namespace common
