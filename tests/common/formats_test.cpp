#include "common/formats.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatFix, FormatsNumbersAndRightAlignsToThePatternWidth) {
    // A grouped amount too wide for its pattern shows stars; any other pattern keeps the rightmost characters.
    const struct {
        const char *value, *fmt, *expected;
    } cases[] = {
        {"5", "##", " 5"},          {"1", "0.####", "    1."},
        {"0", "##", "  "},          {"0.092", "0.####", " 0.092"},
        {"", "##", "  "},           {"0.092", "#0.0000", " 0.0920"},
        {"0", "#0", " 0"},          {"0.12345", "#0.0000", " 0.1235"},
        {"2.5", "#0", " 3"},        {"9.99995", "#0.0000", "10.0000"},
        {"-2.5", "#0", "-3"},       {"20240131", "00000000", "20240131"},
        {"-0.4", "#0", " 0"},       {"1,234", "###,###,##0", "      1,234"},
        {"-7", "#000", "-007"},     {"-1234567", "###,###,##0", " -1,234,567"},
        {"12-", "##0", "-12"},      {"123456789", "###,###,##0", "123,456,789"},
        {"12345", "##0", "345"},    {"1234567890", "###,###,##0", "***********"},
        {"abc", "#####", "  abc"},  {"1234567890", "###,###,###,##0", "  1,234,567,890"},
        {"平成", "####", "  平成"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::FormatFix(c.value, c.fmt), c.expected) << c.value << " " << c.fmt;
}

TEST(FormatFix, TakesCurrencyIntegersAndRates) {
    EXPECT_EQ(common::FormatFix(db::Currency::fromWhole(1500000), "###,###,##0"), "  1,500,000");
    EXPECT_EQ(common::FormatFix(db::Currency::fromRaw(-15000), "###,###,##0"), "         -2");
    EXPECT_EQ(common::FormatFix(4, "#0"), " 4");
    EXPECT_EQ(common::FormatFix(std::int16_t{12}, "###0"), "  12");
    EXPECT_EQ(common::FormatFix(0.092f, "##0.0000"), "  0.0920");
    EXPECT_EQ(common::FormatFix(0.25f, "0.####"), "  0.25");
}

TEST(FormatCode, ZeroFillsToTheDigitsAndNeverCutsBelowThem) {
    const struct {
        const char* value;
        std::int16_t width, digits;
        const char* expected;
    } cases[] = {
        {"7", 6, 6, "000007"}, {"7", 4, 0, "   7"}, {"1234567", 8, 0, "1,234,567"},
        {"12", 3, 4, "0012"},  {"12", 3, 2, " 12"}, {"12345", 3, 3, "345"},
        {"123", 3, 2, "123"},  {"5", 3, 7, "  5"},  {"x", 3, 2, "  x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::FormatCode(c.value, c.width, c.digits), c.expected)
            << c.value << " " << c.width << " " << c.digits;
    EXPECT_EQ(common::FormatCode(std::int64_t{42}, 3, 3), "042");
}

} // namespace
