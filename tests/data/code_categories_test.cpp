#include "data/code_categories.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void addCategory(data::ProgramState& s, int id, const std::string& name, int digits, int length) {
    addRow(
        *s.F10KBNTable,
        {{"F10KBN_ID", id}, {"F10KBN_NAME", data::fitText(name, 30)}, {"F10KBN_KETA", digits}, {"F10KBN_LEN", length}});
}

} // namespace

TEST(CodeCategories, CategoriesFillTheirRowsWithZeroFilledFiguresAndOthersReadAsNoLimit) {
    OpenState open(true);
    auto& s = open.state;
    s.CodeKbnTable[4][2] = "stale";
    addCategory(s, 3, "細目", 6, 15);
    addCategory(s, 20, "最後", 12, 7);
    addCategory(s, 5, "大きい", 123, 1234); // keeps the rightmost digits
    for (int id : {0, 21, -1, 32767})
        addCategory(s, id, "範囲外", 9, 9);
    data::LoadCodeKbnTable(s);

    EXPECT_EQ(s.CodeKbnTable[0], (std::array<std::string, 5>{"", "区分", "区分名称", "桁", "長さ"}));
    EXPECT_EQ(s.CodeKbnTable[3], (std::array<std::string, 5>{"", "03", data::fitText("細目", 30), "06", "015"}));
    EXPECT_EQ(s.CodeKbnTable[20], (std::array<std::string, 5>{"", "20", data::fitText("最後", 30), "12", "007"}));
    EXPECT_EQ(s.CodeKbnTable[5][3], "23");
    EXPECT_EQ(s.CodeKbnTable[5][4], "234");
    EXPECT_EQ(s.CodeKbnTable[4], (std::array<std::string, 5>{"", "04", "", "", ""}));
    EXPECT_EQ(s.CodeKbnTable[11][1], "11");
    EXPECT_EQ(data::CodeDigits(s, 3), 6);
    EXPECT_EQ(data::CodeDigits(s, 20), 12);
    for (int id : {4, 0, 21, -1, 32767, 1000000})
        EXPECT_EQ(data::CodeDigits(s, id), 0) << id;

    s.MainDatabase->execute("DELETE FROM F10KBNTB WHERE F10KBN_ID = ?", {3});
    data::LoadCodeKbnTable(s);
    EXPECT_EQ(s.CodeKbnTable[3], (std::array<std::string, 5>{"", "03", "", "", ""}));
    EXPECT_EQ(data::CodeDigits(s, 3), 0);
    EXPECT_EQ(data::CodeDigits(s, 20), 12);
}
