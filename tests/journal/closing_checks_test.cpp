#include "journal/closing_files.h"
#include "journal/window_test.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;

// The period typed, whether the control row defines the fifth era, and the message ("" accepted).
TEST(ClosingChecks, ThePeriodMustBeDigitsOfARealMonthOrYearOfADefinedEra) {
    const journal::ClosingCheck month = journal::MonthlyTotalsCheck, year = journal::YearEndCheck;
    const std::string five = "5桁で入力して下さい。", three = "3桁で入力して下さい。";
    const std::string digits = "入力結果が数字ではありません。", date = "日付の誤りです。";
    // Era 0, a month 13 or 0, a day before the first era began, an era the control row does not define.
    const std::tuple<journal::ClosingCheck, bool, const char*, std::string> cases[] = {
        {month, false, "", five},        {month, false, "438031", five},     {month, false, "4a803", digits},
        {month, false, " 3803", digits}, {month, false, "３８０３", digits}, {month, false, "4380", date},
        {month, false, "43813", date},   {month, false, "43800", date},      {month, false, "10101", date},
        {month, false, "50803", date},   {month, false, "43803", ""},        {month, false, "36401", ""},
        {month, true, "50803", ""},      {month, true, "60803", date},       {year, false, "", three},
        {year, false, "4360", three},    {year, false, "4a6", digits},       {year, false, "1", date},
        {year, false, "36", date},       {year, false, "508", date},         {year, false, "101", date},
        {year, false, "436", ""},        {year, false, "102", ""},           {year, true, "508", ""}};
    for (const auto& [check, fifthEra, typed, message] : cases) {
        ClosingFile file;
        if (fifthEra) file.defineFifthEra();
        file.dialog.texts[0] = typed;
        std::int16_t focus = -1, err = -1;
        check(file.s, file.dialog, focus, err);
        EXPECT_EQ(err, message.empty() ? 0 : 9) << "'" << typed << "'";
        EXPECT_EQ(file.open.messages.shown, only(message)) << "'" << typed << "'";
        EXPECT_TRUE(message.empty() || focus == 0) << "'" << typed << "'";
    }
}
