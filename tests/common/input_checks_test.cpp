#include "common/input_checks.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

TEST(CharacterChecks, DigitsPassOnlyAsciiDigitsAndNumericAlsoSeparatorsAndASignAtEitherEnd) {
    const struct {
        const char* text;
        std::int16_t digits, numeric;
    } cases[] = {
        {"", 0, 0},    {"0123456789", 0, 0}, {"12 3", 9, 9}, {"１２", 9, 9}, {"-1", 9, 0},
        {"1.0", 9, 0}, {"1,0", 9, 0},        {"1-2", 9, 9},  {"+12-", 9, 0}, {"1..2,,", 9, 0},
        {"1e5", 9, 9}, {"-1,234.5", 9, 0},   {"-", 9, 0},
    };
    for (const auto& c : cases) {
        std::int16_t err = -1;
        common::CheckDigits(c.text, err);
        EXPECT_EQ(err, c.digits) << c.text;
        common::CheckNumeric(c.text, err);
        EXPECT_EQ(err, c.numeric) << c.text;
    }
}

TEST(FirstFieldLength, LimitsOnlyTheFirstFieldInCharacters) {
    const struct {
        const char* text;
        std::int16_t index, goukei, pl;
    } cases[] = {
        {"123", 0, 0, 0},    {"1234", 0, 9, 0},   {"1234", 1, 0, 0},   {"12345", 0, 9, 0},
        {"123456", 0, 9, 9}, {"123456", 2, 0, 0}, {"平成一", 0, 0, 0}, {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::int16_t err = -1;
        common::GOUKEI_CheckLength(c.text, c.index, err);
        EXPECT_EQ(err, c.goukei) << c.text << " " << c.index;
        common::PL_CheckLength(c.text, c.index, err);
        EXPECT_EQ(err, c.pl) << c.text << " " << c.index;
    }
}

TEST(ParseAmount, ReadsOneClearNumberAndNothingElse) {
    const struct {
        const char* text;
        std::optional<std::int64_t> raw;
    } cases[] = {
        {"1234", 12340000},     {"1,234", 12340000},     {"-1,234.5", -12345000},
        {"1,234-", -12340000},  {"+12", 120000},         {"1,234,567", 12345670000},
        {".5", 5000},           {"5.", 50000},           {"0.00005", 1},
        {"0.00004", 0},         {"1..2", std::nullopt},  {",", std::nullopt},
        {"+12-", std::nullopt}, {"", std::nullopt},      {"-", std::nullopt},
        {".", std::nullopt},    {"12,34", std::nullopt}, {"1234,567", std::nullopt},
        {",123", std::nullopt}, {"123,", std::nullopt},  {"1,234.5,6", std::nullopt},
        {"1-2", std::nullopt},  {"1 2", std::nullopt},   {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto amount = common::ParseAmount(c.text);
        EXPECT_EQ(amount ? std::optional(amount->raw()) : std::nullopt, c.raw) << c.text;
    }
}

// A member of 16 bits takes 32767 at most; 32768 does not fit and must not wrap round.
TEST(DigitsValue, ReadsDigitsUpToTheLargestValueOfTheirMember) {
    const struct {
        const char* text;
        std::int64_t largest;
        std::optional<std::int64_t> value;
    } cases[] = {{"0", 32767, 0},
                 {"000123", 32767, 123},
                 {"32767", 32767, 32767},
                 {"32768", 32767, std::nullopt},
                 {"2147483647", 2147483647, 2147483647},
                 {"99999999999999999999", 2147483647, std::nullopt},
                 {"", 32767, std::nullopt},
                 {"1a", 32767, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(common::DigitsValue(c.text, c.largest), c.value) << c.text;
}

} // namespace
