#include "common/input_checks.h"

#include <gtest/gtest.h>

namespace {

struct CheckCase {
    const char *text;
    std::int16_t err;
};

TEST(CheckDigits, PassesOnlyAsciiDigits) {
    const CheckCase cases[] = {{"", 0}, {"0123456789", 0}, {"12 3", 9}, {"１２", 9}, {"-1", 9}, {"1.0", 9}, {"1,0", 9}};
    for (const auto &c : cases) {
        std::int16_t err = -1;
        common::CheckDigits(c.text, err);
        EXPECT_EQ(err, c.err) << c.text;
    }
}

TEST(CheckNumeric, PassesDigitsSeparatorsAndASignAtEitherEnd) {
    const CheckCase cases[] = {{"-1,234.5", 0}, {"1-2", 9}, {"+12-", 0}, {"1..2,,", 0}, {"1e5", 9},
                               {"", 0},         {"12-", 0}, {"-", 0},    {"1 2", 9},    {"１", 9}};
    for (const auto &c : cases) {
        std::int16_t err = -1;
        common::CheckNumeric(c.text, err);
        EXPECT_EQ(err, c.err) << c.text;
    }
}

TEST(FirstFieldLength, LimitsOnlyTheFirstFieldInCharacters) {
    const struct {
        const char *text;
        std::int16_t index, goukei, pl;
    } cases[] = {
        {"123", 0, 0, 0},    {"1234", 0, 9, 0},   {"1234", 1, 0, 0},   {"12345", 0, 9, 0},
        {"123456", 0, 9, 9}, {"123456", 2, 0, 0}, {"平成一", 0, 0, 0}, {"", 0, 0, 0},
    };
    for (const auto &c : cases) {
        std::int16_t err = -1;
        common::GOUKEI_CheckLength(c.text, c.index, err);
        EXPECT_EQ(err, c.goukei) << c.text << " " << c.index;
        common::PL_CheckLength(c.text, c.index, err);
        EXPECT_EQ(err, c.pl) << c.text << " " << c.index;
    }
}

TEST(ParseAmount, ReadsOneClearNumberAndNothingElse) {
    const struct {
        const char *text;
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
    for (const auto &c : cases) {
        const auto amount = common::ParseAmount(c.text);
        ASSERT_EQ(amount.has_value(), c.raw.has_value()) << c.text;
        if (amount) {
            EXPECT_EQ(amount->raw(), *c.raw) << c.text;
        }
    }
}

} // namespace
