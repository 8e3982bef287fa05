#include "common/era_dates.h"

#include <gtest/gtest.h>

namespace {

data::F01Rec defaultEras() {
    data::F01Rec control;
    const char *names[] = {"", "明治", "大正", "昭和", "平成", ""};
    const std::int32_t starts[] = {0, 18681031, 19120801, 19261227, 19890109, 0};
    for (std::size_t i = 1; i <= 5; ++i) {
        control.F01_NENG[i] = names[i];
        control.F01_STYMD[i] = starts[i];
    }
    return control;
}

data::F01Rec withReiwa() {
    data::F01Rec control = defaultEras();
    control.F01_NENG[5] = "令和";
    control.F01_STYMD[5] = 20190501;
    return control;
}

struct ToEraCase {
    std::int64_t ymd;
    std::int16_t err;
    const char *text;
    const char *code;
};

TEST(DateToEra, ShowsEraYearMonthDayAndCodeOrTheReasonItCannot) {
    const data::F01Rec control = defaultEras();
    const ToEraCase cases[] = {
        {19890107, 0, "64年 1月 7日", "3640107"},
        {19890109, 0, " 1年 1月 9日", "4010109"},
        {20000299, 0, "12年 2月29日", "4120229"},
        {19990299, 0, "11年 2月28日", "4110228"},
        {19990499, 0, "11年 4月30日", "4110430"},
        {20001299, 0, "12年12月31日", "4121231"},
        {19000229, 3, "", ""},
        {20000230, 3, "", ""},
        {19990132, 3, "", ""},
        {19990198, 3, "", ""},
        {19990431, 3, "", ""},
        {19990100, 3, "", ""},
        {19991301, 2, "", ""},
        {19990001, 2, "", ""},
        {18681030, 9, "", ""},
        {-5, 9, "", ""},
        {20880101, 0, "100年 1月 1日", "41000101"},
    };
    for (const auto &c : cases) {
        std::string text, code;
        std::int16_t err = -1;
        common::DateToEra(control, c.ymd, text, code, err);
        EXPECT_EQ(err, c.err) << c.ymd;
        EXPECT_EQ(text, c.text) << c.ymd;
        EXPECT_EQ(code, c.code) << c.ymd;
    }
}

TEST(DateToEra, AnUndefinedEraBetweenDefinedOnesNeitherWinsNorStopsTheSearch) {
    data::F01Rec control = defaultEras();
    control.F01_STYMD[3] = 0;
    std::string text, code;
    std::int16_t err = -1;
    common::DateToEra(control, 19500101, text, code, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(code, "2390101");
    common::DateToEra(control, 19900101, text, code, err);
    EXPECT_EQ(code, "4020101");
}

TEST(DateToEra, FollowsAChangedEraStartAndADefinedFifthEra) {
    data::F01Rec control = withReiwa();
    std::string text, code;
    std::int16_t err = -1;
    common::DateToEra(control, 20260101, text, code, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(text, " 8年 1月 1日");
    EXPECT_EQ(code, "5080101");
    common::DateToEra(control, 20190430, text, code, err);
    EXPECT_EQ(code, "4310430");

    control.F01_STYMD[4] = 19900101;
    common::DateToEra(control, 19900101, text, code, err);
    EXPECT_EQ(code, "4010101");
}

struct ToDateCase {
    std::int16_t era;
    const char *yymmdd;
    std::int16_t err;
    const char *ymd; // "" when the result is left untouched
};

TEST(EraToDate, ReadsTypedEraDatesWithFixedOffsetsAndReportsBadInput) {
    const data::F01Rec control = withReiwa();
    const ToDateCase cases[] = {
        {4, "010399", 0, "19890399"},
        {1, "600101", 0, "19270101"},
        {3, "640107", 0, "19890107"},
        {4, "120229", 0, "20000229"},
        {4, "110229", 3, "19990229"},
        {4, "121301", 2, "20001301"},
        {1, "000101", 9, "18670101"},
        {5, "080101", 0, "20260101"},
        {5, "010501", 0, "20190501"},
        {0, "010101", 1, ""},
        {6, "010101", 1, ""},
        {4, "a10101", 1, ""},
        {4, " 10101", 1, ""},
        {4, "01x101", 2, ""},
        {4, "0101-1", 3, ""},
        {4, "0101", 3, ""},
        {4, "01", 2, ""},
        {4, "", 1, ""},
        {4, "0101011", 3, ""},
        {4, "０１０１０１", 1, ""},
    };
    for (const auto &c : cases) {
        std::string ymd;
        std::int16_t err = -1;
        common::EraToDate(control, c.era, c.yymmdd, ymd, err);
        EXPECT_EQ(err, c.err) << c.era << " " << c.yymmdd;
        EXPECT_EQ(ymd, c.ymd) << c.era << " " << c.yymmdd;
    }
}

TEST(EraToDate, RefusesTheFifthEraUntilTheControlRowDefinesIt) {
    const data::F01Rec control = defaultEras();
    std::string ymd = "kept";
    std::int16_t err = -1;
    common::EraToDate(control, 5, "080101", ymd, err);
    EXPECT_EQ(err, 1);
    EXPECT_EQ(ymd, "kept");
}

TEST(EraToDate, IgnoresChangedStartsOfTheFirstFourEras) {
    data::F01Rec control = defaultEras();
    control.F01_STYMD[4] = 19900101;
    std::string ymd;
    std::int16_t err = -1;
    common::EraToDate(control, 4, "020101", ymd, err);
    EXPECT_EQ(ymd, "19900101");
    EXPECT_EQ(err, 0);
}

TEST(EraHintText, ListsTheNewestTwoDefinedEras) {
    data::F01Rec control = defaultEras();
    std::string text = "old";
    common::EraHintText(control, text);
    EXPECT_EQ(text, " 4 :平成 3 :昭和");

    common::EraHintText(withReiwa(), text);
    EXPECT_EQ(text, " 5 :令和 4 :平成");

    for (std::size_t i = 2; i <= 5; ++i)
        control.F01_STYMD[i] = 0;
    common::EraHintText(control, text);
    EXPECT_EQ(text, " 1 :明治");
}

TEST(Day99, BecomesTheRealLastDayOfItsMonth) {
    const struct {
        std::int32_t ymd, resolved;
    } cases[] = {
        {20000299, 20000229}, {19000299, 19000228}, {20240299, 20240229},
        {20230299, 20230228}, {20230499, 20230430}, {20231299, 20231231},
        {20230415, 20230415}, {20231399, 20231399}, {0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(common::ResolveDay99(c.ymd), c.resolved) << c.ymd;

    EXPECT_EQ(common::LastDayOfMonth(2100, 2), 28);
    EXPECT_EQ(common::LastDayOfMonth(2400, 2), 29);
    EXPECT_EQ(common::LastDayOfMonth(2023, 9), 30);
    EXPECT_EQ(common::LastDayOfMonth(2023, 13), 0);
}

} // namespace
