#include "journal/closing_files.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Refusal {
    const char *typed;
    const char *message; // "" when the text is accepted
};

void expectChecks(journal::ClosingCheck check, const std::vector<Refusal> &cases, bool fifthEra) {
    for (const auto &c : cases) {
        ClosingFile file;
        if (fifthEra) file.defineFifthEra();
        file.dialog.texts[0] = c.typed;
        std::int16_t focus = -1;
        std::int16_t err = -1;
        check(file.s, file.dialog, focus, err);
        const std::string expected = c.message;
        if (expected.empty()) {
            EXPECT_EQ(err, 0) << "'" << c.typed << "'";
            EXPECT_TRUE(file.open.messages.shown.empty()) << "'" << c.typed << "'";
        } else {
            EXPECT_EQ(err, 9) << "'" << c.typed << "'";
            EXPECT_EQ(focus, 0) << "'" << c.typed << "'";
            EXPECT_EQ(file.open.messages.shown, std::vector<std::string>{expected}) << "'" << c.typed << "'";
        }
    }
}

} // namespace

TEST(ClosingChecks, TheMonthlyPeriodMustBeFiveDigitsOfARealMonth) {
    expectChecks(journal::MonthlyTotalsCheck,
                 {{"", "5桁で入力して下さい。"},
                  {"438031", "5桁で入力して下さい。"},
                  {"4a803", "入力結果が数字ではありません。"},
                  {" 3803", "入力結果が数字ではありません。"},
                  {"３８０３", "入力結果が数字ではありません。"},
                  {"4380", "日付の誤りです。"}, // era 0
                  {"43813", "日付の誤りです。"},
                  {"43800", "日付の誤りです。"},
                  {"10101", "日付の誤りです。"}, // before the first era began
                  {"50803", "日付の誤りです。"}, // the fifth era is not defined
                  {"43803", ""},
                  {"36401", ""}},
                 false);
    expectChecks(journal::MonthlyTotalsCheck, {{"50803", ""}, {"60803", "日付の誤りです。"}}, true);
}

TEST(ClosingChecks, TheClosedYearMustBeThreeDigitsOfARealYear) {
    expectChecks(journal::YearEndCheck,
                 {{"", "3桁で入力して下さい。"},
                  {"4360", "3桁で入力して下さい。"},
                  {"4a6", "入力結果が数字ではありません。"},
                  {"1", "日付の誤りです。"},
                  {"36", "日付の誤りです。"},
                  {"508", "日付の誤りです。"},
                  {"436", ""},
                  {"101", "日付の誤りです。"},
                  {"102", ""}},
                 false);
    expectChecks(journal::YearEndCheck, {{"508", ""}}, true);
}

TEST(ClosingChecks, TheSetUpsProposeThePeriodOfTheProcessingDateWhichTheChecksAccept) {
    for (bool fifthEra : {false, true}) {
        ClosingFile file;
        if (fifthEra) file.defineFifthEra();
        const auto *monthly = journal::ClosingJobFor(1);
        const auto *yearEnd = journal::ClosingJobFor(2);
        ASSERT_NE(monthly, nullptr);
        ASSERT_NE(yearEnd, nullptr);
        EXPECT_EQ(journal::ClosingJobFor(0), nullptr);
        EXPECT_EQ(journal::ClosingJobFor(3), nullptr);

        monthly->init(file.s, file.dialog);
        EXPECT_EQ(file.dialog.labels[16], "月次集計　（月次〆）");
        EXPECT_EQ(file.dialog.labels[0], "年号＋年月度");
        EXPECT_EQ(file.dialog.texts[0], fifthEra ? "50804" : "43804"); // today is 15 April 2026
        EXPECT_EQ(file.dialog.labels[3], fifthEra ? " 5 :令和 4 :平成" : " 4 :平成 3 :昭和");
        EXPECT_EQ(file.dialog.labels[10], "勘定科目テーブル");
        EXPECT_EQ(file.dialog.labels[11], "伝票テーブル");
        EXPECT_EQ(file.dialog.labels[12], "現金残高テーブル");
        std::int16_t focus = -1;
        std::int16_t err = -1;
        monthly->check(file.s, file.dialog, focus, err);
        EXPECT_EQ(err, 0);

        yearEnd->init(file.s, file.dialog);
        EXPECT_EQ(file.dialog.labels[16], "年次〆作業");
        EXPECT_EQ(file.dialog.labels[0], "年号＋年度");
        EXPECT_EQ(file.dialog.texts[0], fifthEra ? "508" : "438");
        yearEnd->check(file.s, file.dialog, focus, err);
        EXPECT_EQ(err, 0);
        EXPECT_TRUE(file.open.messages.shown.empty());
    }
}
