#include "common/input_checks.h"

#include "common/utf8_text.h"

#include <limits>

namespace common {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void checkLength(const std::string& text, std::int16_t index, std::size_t limit, std::int16_t& err) {
    err = 0;
    if (index == 0 && characterCount(text) > limit) err = 9;
}

// The integer part must be groups of three after the first when it carries separators at all.
bool validGroups(const std::string& integer) {
    if (integer.find(',') == std::string::npos) return true;
    std::size_t groupStart = 0;
    bool first = true;
    while (true) {
        const std::size_t comma = integer.find(',', groupStart);
        const std::size_t end = comma == std::string::npos ? integer.size() : comma;
        const std::size_t length = end - groupStart;
        if (first ? (length < 1 || length > 3) : length != 3) return false;
        if (comma == std::string::npos) return true;
        first = false;
        groupStart = comma + 1;
    }
}

} // namespace

void CheckDigits(const std::string& text, std::int16_t& err) {
    err = 0;
    for (char c : text) {
        if (!isDigit(c)) {
            err = 9;
            return;
        }
    }
}

void CheckNumeric(const std::string& text, std::int16_t& err) {
    err = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        const char c = text[p];
        if (isDigit(c) || c == '.' || c == ',') continue;
        if ((c == '+' || c == '-') && (p == 0 || p + 1 == text.size())) continue;
        err = 9;
        return;
    }
}

void GOUKEI_CheckLength(const std::string& text, std::int16_t index, std::int16_t& err) {
    checkLength(text, index, 3, err);
}

void PL_CheckLength(const std::string& text, std::int16_t index, std::int16_t& err) {
    checkLength(text, index, 5, err);
}

std::optional<db::Currency> ParseAmount(const std::string& text) {
    std::string body = text;
    bool negative = false;
    int signs = 0;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.erase(0, 1);
        ++signs;
    }
    if (!body.empty() && (body.back() == '+' || body.back() == '-')) {
        negative = body.back() == '-';
        body.pop_back();
        ++signs;
    }
    if (signs > 1) return std::nullopt;

    const std::size_t point = body.find('.');
    const std::string integer = body.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : body.substr(point + 1);
    if (integer.empty() && fraction.empty()) return std::nullopt;
    if (!validGroups(integer)) return std::nullopt;
    for (char c : fraction)
        if (!isDigit(c)) return std::nullopt;

    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t raw = 0;
    const auto push = [&raw](char digit) {
        if (raw > (limit - 9) / 10) return false;
        raw = raw * 10 + (digit - '0');
        return true;
    };
    for (char c : integer) {
        if (c == ',') continue;
        if (!isDigit(c) || !push(c)) return std::nullopt;
    }
    for (std::size_t i = 0; i < 4; ++i)
        if (!push(i < fraction.size() ? fraction[i] : '0')) return std::nullopt;
    if (fraction.size() > 4 && fraction[4] >= '5') {
        if (raw == limit) return std::nullopt;
        ++raw;
    }
    return db::Currency::fromRaw(negative ? -raw : raw);
}

std::optional<std::int64_t> ParseWholeNumber(const std::string& digits, std::int64_t highest) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (!isDigit(c)) return std::nullopt;
        if (value > (highest - (c - '0')) / 10) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace common
