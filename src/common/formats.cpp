#include "common/formats.h"

#include "common/utf8_text.h"

#include <array>
#include <charconv>
#include <optional>

namespace common {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isPlaceholder(char c) { return c == '0' || c == '#'; }

struct Decimal {
    bool negative = false;
    std::string integer;  // digits only, may be empty
    std::string fraction; // digits only, may be empty
};

// A number as the formatting step takes it: surrounding blanks, a sign at either end, separators among
// the integer digits and one decimal point; anything else is not a number.
std::optional<Decimal> parseDecimal(const std::string& value) {
    const auto first = value.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    std::string body = value.substr(first, value.find_last_not_of(' ') - first + 1);
    Decimal number;
    int signs = 0;
    if (body.front() == '+' || body.front() == '-') {
        number.negative = body.front() == '-';
        body.erase(0, 1);
        ++signs;
    }
    if (!body.empty() && (body.back() == '+' || body.back() == '-')) {
        number.negative = body.back() == '-';
        body.pop_back();
        ++signs;
    }
    if (signs > 1) return std::nullopt;
    bool inFraction = false;
    for (char c : body) {
        if (isDigit(c)) {
            (inFraction ? number.fraction : number.integer) += c;
        } else if (c == ',' && !inFraction && !number.integer.empty()) {
            continue;
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else {
            return std::nullopt;
        }
    }
    if (number.integer.empty() && number.fraction.empty()) return std::nullopt;
    return number;
}

struct Pattern {
    bool grouped = false;
    bool hasPoint = false;
    std::size_t minInteger = 0;  // positions from the first "0" of the integer part
    std::size_t maxFraction = 0; // digit positions after the point
    std::size_t minFraction = 0; // up to the last "0" after the point
};

Pattern parsePattern(const std::string& fmt) {
    Pattern pattern;
    const std::size_t point = fmt.find('.');
    pattern.hasPoint = point != std::string::npos;
    const std::string integer = fmt.substr(0, point);
    bool zeroSeen = false;
    for (char c : integer) {
        if (c == ',') pattern.grouped = true;
        if (!isPlaceholder(c)) continue;
        zeroSeen = zeroSeen || c == '0';
        if (zeroSeen) ++pattern.minInteger;
    }
    if (pattern.hasPoint) {
        for (char c : fmt.substr(point + 1)) {
            if (!isPlaceholder(c)) continue;
            ++pattern.maxFraction;
            if (c == '0') pattern.minFraction = pattern.maxFraction;
        }
    }
    return pattern;
}

// Adds one to a run of digits, growing it on the left when it carries out.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string groupThousands(const std::string& digits) {
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string formatDecimal(Decimal number, const Pattern& pattern) {
    // Round half away from zero to the pattern's decimals.
    std::string digits = number.integer + number.fraction;
    std::size_t integerLength = number.integer.size();
    if (number.fraction.size() > pattern.maxFraction) {
        const bool roundUp = number.fraction[pattern.maxFraction] >= '5';
        digits.resize(integerLength + pattern.maxFraction);
        if (roundUp) {
            const std::size_t before = digits.size();
            increment(digits);
            integerLength += digits.size() - before;
        }
    }
    std::string integer = digits.substr(0, integerLength);
    std::string fraction = digits.substr(integerLength);
    integer.erase(0, integer.find_first_not_of('0') == std::string::npos ? integer.size()
                                                                         : integer.find_first_not_of('0'));
    const bool isZero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
    if (integer.size() < pattern.minInteger) integer.insert(0, pattern.minInteger - integer.size(), '0');
    while (fraction.size() > pattern.minFraction && fraction.back() == '0')
        fraction.pop_back();
    if (fraction.size() < pattern.minFraction) fraction.append(pattern.minFraction - fraction.size(), '0');
    if (pattern.grouped) integer = groupThousands(integer);

    std::string text = (number.negative && !isZero) ? "-" : "";
    text += integer;
    if (pattern.hasPoint) text += "." + fraction;
    return text;
}

std::string rightAligned(const std::string& text, std::size_t width) {
    const std::size_t count = characterCount(text);
    if (count >= width) return lastCharacters(text, width);
    return std::string(width - count, ' ') + text;
}

const std::array<std::string, 7> ZeroPatterns{"", "0", "00", "000", "0000", "00000", "000000"};

} // namespace

std::string FormatNumber(const std::string& value, const std::string& fmt) {
    const auto number = parseDecimal(value);
    if (!number) return value;
    return formatDecimal(*number, parsePattern(fmt));
}

std::string FormatFix(const std::string& value, const std::string& fmt) {
    const std::string text = FormatNumber(value, fmt);
    const std::size_t width = characterCount(fmt);
    const bool amount = parseDecimal(value).has_value() && fmt.find(',') != std::string::npos;
    if (amount && characterCount(text) > width) return std::string(width, '*');
    return rightAligned(text, width);
}

std::string FormatFix(db::Currency value, const std::string& fmt) { return FormatFix(value.toString(), fmt); }

std::string FormatFix(float value, const std::string& fmt) { return FormatFix(FloatText(value), fmt); }

std::string FloatText(float value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatFix(std::int64_t value, const std::string& fmt) { return FormatFix(std::to_string(value), fmt); }

std::string FormatCode(const std::string& value, std::int16_t width, std::int16_t digits) {
    const std::string fmt =
        (digits >= 1 && digits <= 6) ? ZeroPatterns[static_cast<std::size_t>(digits)] : std::string("###,###,##0");
    const std::string text = FormatNumber(value, fmt);
    const std::size_t count = characterCount(text);
    const std::size_t wanted = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (count == wanted) return text;
    if (wanted <= count) return lastCharacters(text, fmt.size());
    return std::string(wanted - count, ' ') + text;
}

std::string FormatCode(std::int64_t value, std::int16_t width, std::int16_t digits) {
    return FormatCode(std::to_string(value), width, digits);
}

} // namespace common
