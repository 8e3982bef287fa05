#include "data/control_row.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string storedText(data::ProgramState& s, const std::string& field) {
    return s.MainDatabase->openSnapshot("SELECT " + field + " FROM F01TB WHERE F01_NO = ?", {1})->field(field).asText();
}

} // namespace

TEST(ControlRow, OnlyGetCreatesTheMissingRowAndPutStoresEveryMemberForTheNextGet) {
    OpenState open(true, 20260415);
    auto& s = open.state;
    s.F01Record.F01_DNO = 55;
    EXPECT_EQ(statusOf(data::F01Access, s, "PUT"), 9);
    EXPECT_EQ(open.messages.shown, std::vector<std::string>{data::MissingRowMessage});
    EXPECT_EQ(s.F01Record.F01_DNO, 55);
    for (const char* mode : {"get", "put", "DEL"})
        EXPECT_EQ(statusOf(data::F01Access, s, mode), 0) << mode;
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 0);

    EXPECT_EQ(statusOf(data::F01Access, s, "GET"), 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 1);
    auto& r = s.F01Record;
    EXPECT_EQ(r.F01_NO, 1);
    EXPECT_EQ(r.F01_TDY, 20260415);
    EXPECT_EQ(r.F01_ACT, 20260415);
    EXPECT_EQ(r.F01_SIM, 99);
    EXPECT_EQ(r.F01_STMM, 1);
    EXPECT_EQ(r.F01_DNO, 0);
    const char* names[] = {"", "明治", "大正", "昭和", "平成", ""};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(r.F01_NENG[i].trimmed(), names[i]) << i;
    EXPECT_EQ(r.F01_STYMD, (std::array<std::int32_t, 6>{0, 18681031, 19120801, 19261227, 19890109, 0}));
    EXPECT_EQ(storedText(s, "F01_NAM_01"), "") << "the default row stores empty texts";

    s.today = [] { return 20270101; }; // a second GET reads the row, it makes no new one
    r.F01_DNO = 1234;
    r.F01_NAM[1] = "株式会社ケムロラ商事本店営業部"; // 15 characters
    r.F01_NENG[5] = "令和";
    r.F01_STYMD[5] = 20190501;
    r.F01_BNK[2] = "普通 1234567";
    r.F01_STMM = 12; // the last month a year can start with
    EXPECT_EQ(statusOf(data::F01Access, s, "PUT"), 0);
    EXPECT_EQ(storedText(s, "F01_NAM_01"), data::fitText("株式会社ケムロラ商事本店営業部", 30));
    EXPECT_EQ(storedText(s, "F01_DUM"), std::string(15, ' '));

    r = {};
    EXPECT_EQ(statusOf(data::F01Access, s, "GET"), 0);
    EXPECT_EQ(r.F01_TDY, 20260415);
    EXPECT_EQ(r.F01_DNO, 1234);
    EXPECT_EQ(r.F01_STMM, 12);
    EXPECT_EQ(r.F01_NAM[1].str(), data::fitText("株式会社ケムロラ商事本店営業部", 30));
    EXPECT_EQ(r.F01_NENG[5].trimmed(), "令和");
    EXPECT_EQ(r.F01_NENG[4].trimmed(), "平成");
    EXPECT_EQ(r.F01_STYMD[5], 20190501);
    EXPECT_EQ(r.F01_BNK[2].trimmed(), "普通 1234567");
}
