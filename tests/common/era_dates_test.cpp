#include "common/era_dates.h"

#include <gtest/gtest.h>

namespace {

// The era table of the default control row (the fifth era named but not defined), era `changed` starting on `start`.
data::F01Rec eras(std::size_t changed = 0, std::int32_t start = 0) {
    data::F01Rec control;
    const char* names[] = {"", "明治", "大正", "昭和", "平成", "令和"};
    const std::int32_t starts[] = {0, 18681031, 19120801, 19261227, 19890109, 0};
    for (std::size_t i = 1; i <= 5; ++i) {
        control.F01_NENG[i] = names[i];
        control.F01_STYMD[i] = i == changed ? start : starts[i];
    }
    return control;
}

const data::F01Rec plain = eras(), reiwa = eras(5, 20190501), withoutShowa = eras(3, 0),
                   heiseiMoved = eras(4, 19900101);

TEST(DateToEra, ShowsEraYearMonthDayAndCodeOrTheReasonItCannot) {
    // A bad day (3) or month (2), or a date before every era (9), writes nothing: text and code stay "kept".
    const struct {
        const data::F01Rec& control;
        std::int64_t ymd;
        std::int16_t err;
        const char* text;
        const char* code;
    } cases[] = {
        {plain, 19000229, 3, "kept", "kept"}, {plain, 19890107, 0, "64年 1月 7日", "3640107"},
        {plain, 19990132, 3, "kept", "kept"}, {plain, 19890109, 0, " 1年 1月 9日", "4010109"},
        {plain, 19990198, 3, "kept", "kept"}, {plain, 20000299, 0, "12年 2月29日", "4120229"},
        {plain, 19990100, 3, "kept", "kept"}, {plain, 20880101, 0, "100年 1月 1日", "41000101"},
        {plain, 19991301, 2, "kept", "kept"}, {withoutShowa, 19500101, 0, "39年 1月 1日", "2390101"},
        {plain, 19990001, 2, "kept", "kept"}, {withoutShowa, 19900101, 0, " 2年 1月 1日", "4020101"},
        {plain, 18681030, 9, "kept", "kept"}, {reiwa, 20260101, 0, " 8年 1月 1日", "5080101"},
        {plain, -5, 9, "kept", "kept"},       {heiseiMoved, 19900101, 0, " 1年 1月 1日", "4010101"},
    };
    for (const auto& c : cases) {
        std::string text = "kept", code = "kept";
        std::int16_t err = -1;
        common::DateToEra(c.control, c.ymd, text, code, err);
        EXPECT_EQ(err, c.err) << c.ymd;
        EXPECT_EQ(text, c.text) << c.ymd;
        EXPECT_EQ(code, c.code) << c.ymd;
    }
}

TEST(EraToDate, ReadsTypedEraDatesWithFixedOffsetsAndTheDefinedFifthEra) {
    // The first four eras keep their offsets when the control row moves a start; the fifth needs its start.
    // Refused before a date is made, nothing is written: the result stays "kept".
    const struct {
        const data::F01Rec& control;
        std::int16_t era;
        const char* yymmdd;
        std::int16_t err;
        const char* ymd;
    } cases[] = {
        {reiwa, 4, "010399", 0, "19890399"},       {reiwa, 0, "010101", 1, "kept"},
        {reiwa, 1, "600101", 0, "19270101"},       {reiwa, 6, "010101", 1, "kept"},
        {reiwa, 3, "640107", 0, "19890107"},       {reiwa, 4, "a10101", 1, "kept"},
        {reiwa, 4, "120229", 0, "20000229"},       {reiwa, 4, "", 1, "kept"},
        {reiwa, 4, "110229", 3, "19990229"},       {reiwa, 4, "01x101", 2, "kept"},
        {reiwa, 4, "121301", 2, "20001301"},       {reiwa, 4, "0101-1", 3, "kept"},
        {reiwa, 1, "000101", 9, "18670101"},       {reiwa, 4, "01", 2, "kept"},
        {reiwa, 5, "080101", 0, "20260101"},       {reiwa, 4, "0101011", 3, "kept"},
        {heiseiMoved, 4, "020101", 0, "19900101"}, {plain, 5, "080101", 1, "kept"},
        {reiwa, 2, "010101", 0, "19120101"},
    };
    for (const auto& c : cases) {
        std::string ymd = "kept";
        std::int16_t err = -1;
        common::EraToDate(c.control, c.era, c.yymmdd, ymd, err);
        EXPECT_EQ(err, c.err) << c.era << " " << c.yymmdd;
        EXPECT_EQ(ymd, c.ymd) << c.era << " " << c.yymmdd;
    }
}

TEST(EraHintText, ListsTheNewestTwoDefinedEras) {
    std::string text = "old";
    common::EraHintText(plain, text);
    EXPECT_EQ(text, " 4 :平成 3 :昭和");
    common::EraHintText(reiwa, text);
    EXPECT_EQ(text, " 5 :令和 4 :平成");
    data::F01Rec meijiOnly = plain;
    meijiOnly.F01_STYMD = {0, 18681031, 0, 0, 0, 0};
    common::EraHintText(meijiOnly, text);
    EXPECT_EQ(text, " 1 :明治");
}

TEST(Day99, BecomesTheRealLastDayOfItsMonth) {
    const struct {
        std::int32_t ymd, resolved;
    } cases[] = {{20000299, 20000229}, {19000299, 19000228}, {20240299, 20240229},
                 {20230299, 20230228}, {20230499, 20230430}, {20231299, 20231231},
                 {20230415, 20230415}, {20231399, 20231399}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(common::ResolveDay99(c.ymd), c.resolved) << c.ymd;
}

} // namespace
