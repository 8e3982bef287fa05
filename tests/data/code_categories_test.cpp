#include "data/code_categories.h"

#include "data/table_rows.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void addCategory(data::ProgramState &s, int id, const std::string &name, int digits, int length) {
    addRow(
        *s.F10KBNTable,
        {{"F10KBN_ID", id}, {"F10KBN_NAME", data::fitText(name, 30)}, {"F10KBN_KETA", digits}, {"F10KBN_LEN", length}});
}

void expectHeadingsAndNumbers(const data::ProgramState &s) {
    const std::array<std::string, 5> headings = {"", "区分", "区分名称", "桁", "長さ"};
    EXPECT_EQ(s.CodeKbnTable[0], headings);
    const char *numbers[] = {"",   "01", "02", "03", "04", "05", "06", "07", "08", "09", "10",
                             "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(s.CodeKbnTable[k][0], "") << k;
        EXPECT_EQ(s.CodeKbnTable[k][1], numbers[k]) << k;
    }
}

} // namespace

TEST(CodeCategories, AnEmptyTableGivesHeadingsNumbersAndNoDigitLimits) {
    OpenState open(true);
    auto &s = open.state;
    s.CodeKbnTable[4][2] = "stale";
    data::LoadCodeKbnTable(s);
    expectHeadingsAndNumbers(s);
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(s.CodeKbnTable[k][2], "") << k;
        EXPECT_EQ(s.CodeKbnTable[k][3], "") << k;
        EXPECT_EQ(s.CodeKbnTable[k][4], "") << k;
        EXPECT_EQ(data::CodeDigits(s, k), 0) << k;
    }
}

TEST(CodeCategories, ExistingCategoriesFillTheirRowsWithZeroFilledFigures) {
    OpenState open(true);
    auto &s = open.state;
    addCategory(s, 3, "細目", 6, 15);
    addCategory(s, 20, "最後", 12, 7);
    addCategory(s, 5, "大きい", 123, 1234); // keeps the rightmost digits
    data::LoadCodeKbnTable(s);
    expectHeadingsAndNumbers(s);
    EXPECT_EQ(s.CodeKbnTable[3][2], data::fitText("細目", 30)) << "the name as stored, blanks included";
    EXPECT_EQ(s.CodeKbnTable[3][3], "06");
    EXPECT_EQ(s.CodeKbnTable[3][4], "015");
    EXPECT_EQ(s.CodeKbnTable[20][3], "12");
    EXPECT_EQ(s.CodeKbnTable[20][4], "007");
    EXPECT_EQ(s.CodeKbnTable[5][3], "23");
    EXPECT_EQ(s.CodeKbnTable[5][4], "234");
    EXPECT_EQ(s.CodeKbnTable[4][2], "");
    EXPECT_EQ(s.CodeKbnTable[4][3], "");
    EXPECT_EQ(data::CodeDigits(s, 3), 6);
    EXPECT_EQ(data::CodeDigits(s, 20), 12);
    EXPECT_EQ(data::CodeDigits(s, 4), 0);
}

TEST(CodeCategories, CategoriesOutsideOneToTwentyAreSkippedAndReadAsNoLimit) {
    OpenState open(true);
    auto &s = open.state;
    for (int id : {0, 21, 99, -1, 32767})
        addCategory(s, id, "範囲外", 9, 9);
    addCategory(s, 1, "科目", 4, 10);
    data::LoadCodeKbnTable(s);
    expectHeadingsAndNumbers(s);
    EXPECT_EQ(s.CodeKbnTable[1][3], "04");
    for (int k = 2; k <= 20; ++k)
        EXPECT_EQ(s.CodeKbnTable[k][2], "") << k;
    for (int id : {0, 21, 99, -1, 32767, 1000000})
        EXPECT_EQ(data::CodeDigits(s, id), 0) << id;
}

TEST(CodeCategories, ARebuildForgetsDeletedCategories) {
    OpenState open(true);
    auto &s = open.state;
    addCategory(s, 2, "取引先", 5, 30);
    addCategory(s, 7, "部門", 2, 10);
    data::LoadCodeKbnTable(s);
    EXPECT_EQ(data::CodeDigits(s, 7), 2);

    s.MainDatabase->execute("DELETE FROM F10KBNTB WHERE F10KBN_ID = ?", {7});
    data::LoadCodeKbnTable(s);
    EXPECT_EQ(s.CodeKbnTable[7][1], "07");
    EXPECT_EQ(s.CodeKbnTable[7][2], "");
    EXPECT_EQ(s.CodeKbnTable[7][3], "");
    EXPECT_EQ(s.CodeKbnTable[7][4], "");
    EXPECT_EQ(data::CodeDigits(s, 7), 0);
    EXPECT_EQ(data::CodeDigits(s, 2), 5);
}
