#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/voucher_line_storage.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace {

using journal::VoucherKey;
using testing_support::addRow;
using testing_support::countRows;

class VoucherLineStorageTest : public ::testing::Test {
protected:
    void addLine(std::int32_t ymd, std::int32_t dno, std::int16_t lin, std::int64_t amount = 1000) {
        addRow(*s().F45Table, {{"F45_YMD", ymd},
                               {"F45_DNO", dno},
                               {"F45_LIN", static_cast<int>(lin)},
                               {"F45_KBN", 2},
                               {"F45_ACT", 201},
                               {"F45_TEK", "000002"},
                               {"F45_IO", 1},
                               {"F45_AMT", db::Currency::fromWhole(amount)}});
    }
    data::ProgramState& s() { return files.state; }
    std::int64_t lines() { return countRows(*s().MainDatabase, "F45TB"); }
    std::int16_t currentLine() { return static_cast<std::int16_t>(s().F45Table->field("F45_LIN").asInt()); }

    testing_support::OpenState files{true};
};

TEST_F(VoucherLineStorageTest, ReadingALineFillsTheBufferOrPreparesABlankNewLine) {
    addLine(20260415, 415, 1, 2500);
    std::int16_t status = 0;
    std::int16_t recordState = 0;
    s().F45Record.F45_RMK = "left over";
    journal::VoucherLineIO(s(), {20260415, 415, 1}, "GET", status, recordState);
    EXPECT_EQ(recordState, 1);
    EXPECT_EQ(s().F45Record.F45_ACT, 201);
    EXPECT_EQ(s().F45Record.F45_AMT, db::Currency::fromWhole(2500));
    EXPECT_EQ(s().F45Record.F45_RMK.trimmed(), "");

    journal::VoucherLineIO(s(), {20260415, 415, 2}, "GET", status, recordState);
    EXPECT_EQ(recordState, 3);
    const data::F45Rec& r = s().F45Record;
    EXPECT_EQ(r.F45_YMD, 20260415);
    EXPECT_EQ(r.F45_DNO, 415);
    EXPECT_EQ(r.F45_LIN, 2);
    EXPECT_EQ(r.F45_KBN + r.F45_ACT + r.F45_SRT + r.F45_KND + r.F45_CUS + r.F45_IO, 0);
    EXPECT_EQ(r.F45_TEK.str(), "000000");
    EXPECT_EQ(r.F45_RMK.str(), std::string(30, ' '));
    EXPECT_EQ(r.F45_DUM.str(), std::string(15, ' '));
    EXPECT_EQ(r.F45_AMT, db::Currency());

    std::int16_t untouched = 5;
    journal::VoucherLineIO(s(), {20260415, 415, 1}, "get", status, untouched);
    EXPECT_EQ(untouched, 5);
    EXPECT_EQ(status, 0);
}

TEST_F(VoucherLineStorageTest, WritingAddsANewLineAndEditsAnExistingOneInPlace) {
    addLine(20260401, 1, 1);
    addLine(20260501, 9, 1);
    const VoucherKey key{20260415, 415, 3};
    std::int16_t status = 0;
    std::int16_t recordState = 0;
    journal::BlankLine(s(), key);
    data::F45Rec& r = s().F45Record;
    r.F45_KBN = 1;
    r.F45_ACT = 101;
    r.F45_SRT = 2;
    r.F45_KND = 2;
    r.F45_CUS = 7;
    r.F45_TEK = "000001";
    r.F45_RMK = "店頭売上";
    r.F45_AMT = db::Currency::fromWhole(12000);
    r.F45_YMD = 19990101; // the key always comes from the window, never from the buffer
    journal::VoucherLineIO(s(), key, "PUT", status, recordState);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(s().F45Table->field("F45_YMD").asInt(), 20260415); // standing on the written row
    EXPECT_EQ(s().F45Table->field("F45_RMK").asText(), "店頭売上" + std::string(26, ' '));
    EXPECT_EQ(s().F45Table->field("F45_DUM").asText(), std::string(15, ' '));
    EXPECT_EQ(s().F45Table->field("F45_CUS").asInt(), 7);

    r.F45_AMT = db::Currency::fromWhole(13000);
    r.F45_IO = 1;
    journal::VoucherLineIO(s(), key, "PUT", status, recordState);
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(s().F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(13000));
    EXPECT_EQ(s().F45Table->field("F45_IO").asInt(), 1);
    EXPECT_EQ(recordState, 0); // a write leaves the state to its caller
}

TEST_F(VoucherLineStorageTest, DeletingMovesToTheNextRowAndAMissingLineIsReported) {
    addLine(20260415, 415, 1);
    addLine(20260415, 415, 2);
    addLine(20260415, 415, 3);
    std::int16_t status = 0;
    std::int16_t recordState = 1;
    journal::VoucherLineIO(s(), {20260415, 415, 2}, "DEL", status, recordState);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(lines(), 2);
    EXPECT_EQ(currentLine(), 3);

    journal::VoucherLineIO(s(), {20260415, 415, 2}, "DEL", status, recordState);
    EXPECT_EQ(status, 9);
    EXPECT_EQ(lines(), 2);
    EXPECT_EQ(recordState, 1);
}

TEST_F(VoucherLineStorageTest, TheSearchProposesTheLineAfterTheVouchersHighest) {
    EXPECT_EQ(journal::NextFreeLine(s(), {20260415, 415, 0}), 1); // empty table

    addLine(20260410, 7, 1);
    addLine(20260415, 415, 1);
    addLine(20260415, 415, 2);
    addLine(20260415, 415, 5);
    addLine(20260415, 416, 99);
    addLine(20260415, 416, 98);
    addLine(20260420, 1, 1);
    struct Case {
        VoucherKey key;
        std::int16_t line;
    };
    const Case cases[] = {
        {{20260415, 415, 0}, 6},  // lines 1, 2 and 5: the gap is not reused
        {{20260415, 416, 0}, 99}, // line 99 taken: 99 again
        {{20260415, 417, 0}, 1},  // a voucher without lines, others below it
        {{20260418, 1, 0}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(journal::NextFreeLine(s(), c.key), c.line) << c.key.VoucherNo;

    // Nothing at or below the key: the recordset goes back to the row it stood on.
    std::int16_t status = 0;
    std::int16_t recordState = 0;
    journal::VoucherLineIO(s(), {20260415, 415, 5}, "GET", status, recordState);
    EXPECT_EQ(journal::NextFreeLine(s(), {20260101, 1, 0}), 1);
    EXPECT_EQ(s().F45Table->field("F45_DNO").asInt(), 415);
    EXPECT_EQ(currentLine(), 5);
}

TEST(VoucherLineStepping, StaysWithinOneAndNinetyNine) {
    struct Case {
        std::int16_t line;
        int step;
        std::optional<std::int16_t> to;
    };
    const Case cases[] = {{1, +1, 2}, {98, +1, 99},          {99, +1, std::nullopt}, {0, +1, 1},
                          {2, -1, 1}, {1, -1, std::nullopt}, {0, -1, std::nullopt},  {99, -1, 98}};
    for (const Case& c : cases)
        EXPECT_EQ(journal::SteppedLine(c.line, c.step), c.to) << c.line << " " << c.step;
}

TEST_F(VoucherLineStorageTest, OnlyAHigherVoucherNumberWritesTheControlRow) {
    std::int16_t status = 0;
    data::F01Access(s(), "GET", status);
    s().F01Record.F01_DNO = 500;
    data::F01Access(s(), "PUT", status);

    s().F01Record.F01_TAX1 = 77; // not yet registered by its own window
    journal::RaiseVoucherNumber(s(), 300);
    data::F01Access(s(), "GET", status);
    EXPECT_EQ(s().F01Record.F01_DNO, 500);
    EXPECT_NE(s().F01Record.F01_TAX1, 77);

    s().F01Record.F01_TAX1 = 77;
    journal::RaiseVoucherNumber(s(), 501);
    s().F01Record.F01_DNO = 0;
    data::F01Access(s(), "GET", status);
    EXPECT_EQ(s().F01Record.F01_DNO, 501);
    EXPECT_EQ(s().F01Record.F01_TAX1, 77); // the whole row in memory goes to the file
}

} // namespace
