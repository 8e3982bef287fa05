#include "data/control_row.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace testing_support;

namespace {

std::string storedText(data::ProgramState& s, const std::string& field) {
    return s.MainDatabase->openSnapshot("SELECT " + field + " FROM F01TB WHERE F01_NO = ?", {1})->field(field).asText();
}

} // namespace

TEST(ControlRow, OnlyGetCreatesTheMissingRowWithTheDefaultsAndPutStoresItForTheNextGet) {
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
    EXPECT_EQ(std::make_tuple(r.F01_NO, r.F01_TDY, r.F01_ACT, r.F01_SIM, r.F01_STMM, r.F01_DNO),
              std::make_tuple(1, 20260415, 20260415, 99, 1, 0));
    const char* names[] = {"", "明治", "大正", "昭和", "平成", ""};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(r.F01_NENG[i].trimmed(), names[i]) << i;
    EXPECT_EQ(r.F01_STYMD, (std::array<std::int32_t, 6>{0, 18681031, 19120801, 19261227, 19890109, 0}));
    EXPECT_EQ(storedText(s, "F01_NAM_01"), "") << "the default row stores empty texts";

    s.today = [] { return 20270101; }; // a second GET reads the row, it makes no new one
    r.F01_DNO = 1234;
    EXPECT_EQ(statusOf(data::F01Access, s, "PUT"), 0);
    r = {};
    EXPECT_EQ(statusOf(data::F01Access, s, "GET"), 0);
    EXPECT_EQ(std::make_pair(r.F01_TDY, r.F01_DNO), std::make_pair(20260415, 1234));
}
