#include "data/control_row.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

db::Value storedControlField(data::ProgramState &s, const std::string &field) {
    auto rows = s.MainDatabase->openSnapshot("SELECT " + field + " FROM F01TB WHERE F01_NO = ?", {1});
    return rows->eof() ? db::Value() : rows->field(field);
}

} // namespace

TEST(ControlRow, GetOnAnEmptyTableCreatesTheDefaultRow) {
    OpenState open(true, 20260415);
    auto &s = open.state;
    std::int16_t status = -1;
    data::F01Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(open.messages.shown.empty());
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 1);

    const auto &r = s.F01Record;
    EXPECT_EQ(r.F01_NO, 1);
    EXPECT_EQ(r.F01_TDY, 20260415);
    EXPECT_EQ(r.F01_ACT, 20260415);
    EXPECT_EQ(r.F01_SIM, 99);
    EXPECT_EQ(r.F01_STMM, 1);
    EXPECT_EQ(r.F01_UPD, 0);
    EXPECT_EQ(r.F01_DNO, 0);
    const char *names[] = {"", "明治", "大正", "昭和", "平成", ""};
    const std::int32_t firstDays[] = {0, 18681031, 19120801, 19261227, 19890109, 0};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(r.F01_NENG[i].str(), data::fitText(names[i], 4)) << i;
        EXPECT_EQ(r.F01_STYMD[i], firstDays[i]) << i;
    }
    EXPECT_EQ(r.F01_NAM[1].str(), std::string(30, ' '));
    EXPECT_EQ(r.F01_TEL.str(), std::string(15, ' '));
    EXPECT_EQ(r.F01_DUM.str(), std::string(15, ' '));
    EXPECT_EQ(storedControlField(s, "F01_NAM_01").asText(), "") << "the default row stores empty texts";
}

TEST(ControlRow, ASecondGetReadsTheRowWithoutChangingIt) {
    OpenState open(true, 20260415);
    auto &s = open.state;
    std::int16_t status = -1;
    data::F01Access(s, "GET", status);
    s.MainDatabase->execute("UPDATE F01TB SET F01_SIM = ?, F01_TDY = ?", {20, 20250101});
    s.today = [] { return 20270101; };
    data::F01Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 1);
    EXPECT_EQ(s.F01Record.F01_SIM, 20);
    EXPECT_EQ(s.F01Record.F01_TDY, 20250101);
}

TEST(ControlRow, PutOnAnEmptyTableTellsTheUserAndCreatesNothing) {
    OpenState open(true);
    auto &s = open.state;
    s.F01Record.F01_NO = 1;
    s.F01Record.F01_DNO = 55;
    std::int16_t status = -1;
    data::F01Access(s, "PUT", status);
    EXPECT_EQ(status, 9);
    ASSERT_EQ(open.messages.shown.size(), 1u);
    EXPECT_EQ(open.messages.shown[0], data::MissingRowMessage);
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 0);
    EXPECT_EQ(s.F01Record.F01_DNO, 55);
}

TEST(ControlRow, PutStoresEveryMemberAtFullWidthAndGetReadsThemBack) {
    OpenState open(true);
    auto &s = open.state;
    std::int16_t status = -1;
    data::F01Access(s, "GET", status);
    s.F01Record.F01_DNO = 1234;
    s.F01Record.F01_STMM = 4;
    s.F01Record.F01_NAM[1] = "株式会社ケムロラ商事本店営業部"; // 15 characters
    s.F01Record.F01_NENG[5] = "令和";
    s.F01Record.F01_STYMD[5] = 20190501;
    s.F01Record.F01_BNK[2] = "普通 1234567";
    data::F01Access(s, "PUT", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(storedControlField(s, "F01_NAM_01").asText(), data::fitText("株式会社ケムロラ商事本店営業部", 30));
    EXPECT_EQ(storedControlField(s, "F01_DUM").asText(), std::string(15, ' '));

    const data::F01Rec written = s.F01Record;
    s.F01Record = {};
    data::F01Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F01Record.F01_DNO, 1234);
    EXPECT_EQ(s.F01Record.F01_STMM, 4);
    EXPECT_EQ(s.F01Record.F01_NAM[1], written.F01_NAM[1].str());
    EXPECT_EQ(s.F01Record.F01_NENG[5].trimmed(), "令和");
    EXPECT_EQ(s.F01Record.F01_NENG[4].trimmed(), "平成");
    EXPECT_EQ(s.F01Record.F01_STYMD[5], 20190501);
    EXPECT_EQ(s.F01Record.F01_BNK[2].trimmed(), "普通 1234567");
    EXPECT_EQ(s.F01Record.F01_TDY, written.F01_TDY);
}

TEST(ControlRow, AnyOtherModeNeitherReadsNorCreates) {
    OpenState open(true);
    auto &s = open.state;
    for (const char *mode : {"get", "put", "DEL"}) {
        std::int16_t status = -1;
        data::F01Access(s, mode, status);
        EXPECT_EQ(status, 0) << mode;
    }
    EXPECT_EQ(countRows(*s.MainDatabase, "F01TB"), 0);
    EXPECT_TRUE(open.messages.shown.empty());
}

TEST(ControlRow, FieldsWithoutAValueReadAsZeroAndBlanks) {
    OpenState open(true);
    auto &s = open.state;
    std::int16_t status = -1;
    data::F01Access(s, "GET", status);
    s.closeDatabase();
    allowNulls(open.path, "F01TB");
    s.MainDatabase = db::Database::open(open.path);
    s.MainDatabase->execute("UPDATE F01TB SET F01_DNO = NULL, F01_NAM_01 = NULL");
    s.F01Record.F01_DNO = 9;
    s.F01Record.F01_NAM[1] = "x";
    data::F01Access(s, "GET", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.F01Record.F01_DNO, 0);
    EXPECT_EQ(s.F01Record.F01_NAM[1].str(), std::string(30, ' '));
}
