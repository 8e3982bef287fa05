#include "data/control_row.h"
#include "data/table_rows.h"
#include "journal/voucher_line_storage.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <tuple>

// Where the shared voucher recordset stands after each storage step: the voucher list follows it.
// Lines 1, 2 and 3 of voucher 415 on 15 April 2026, and a line of vouchers before and after.
class VoucherLineStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::tuple<int, int, int> keys[] = {
            {20260410, 7, 1}, {20260415, 415, 1}, {20260415, 415, 2}, {20260415, 415, 3}, {20260420, 1, 1}};
        for (const auto& [ymd, dno, lin] : keys)
            testing_support::addRow(*s.F45Table, {{"F45_YMD", ymd}, {"F45_DNO", dno}, {"F45_LIN", lin}});
    }
    std::int64_t lines() { return testing_support::countRows(*s.MainDatabase, "F45TB"); }
    std::int64_t current(const char* field) { return s.F45Table->field(field).asInt(); }
    void io(const journal::VoucherKey& key, const std::string& mode) {
        journal::VoucherLineIO(s, key, mode, status, recordState);
    }

    testing_support::OpenState files{true};
    data::ProgramState& s = files.state;
    std::int16_t status = -1;
    std::int16_t recordState = 0;
};

TEST_F(VoucherLineStorageTest, WritingStandsOnTheWrittenRowDeletingOnTheNextAndTheSearchOnTheRowFound) {
    const journal::VoucherKey key{20260415, 416, 3};
    journal::BlankLine(s, key);
    s.F45Record.F45_YMD = 19990101; // the key always comes from the window, never from the buffer
    io(key, "PUT");
    EXPECT_EQ(current("F45_DNO"), 416); // an added row as well as an edited one
    s.F45Record.F45_AMT = db::Currency::fromWhole(13000);
    io(key, "PUT"); // the same row, edited
    EXPECT_EQ(lines(), 6);
    EXPECT_EQ(current("F45_YMD") * 1000 + current("F45_DNO"), 20260415416);
    EXPECT_EQ(s.F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(13000));
    EXPECT_EQ(recordState, 0); // a write leaves the state to its caller

    io({20260415, 415, 2}, "DEL");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(current("F45_LIN"), 3);
    io({20260415, 415, 2}, "DEL");
    EXPECT_EQ(status, 9);
    EXPECT_EQ(lines(), 5);

    EXPECT_EQ(journal::NextFreeLine(s, {20260415, 417, 0}), 1); // only another voucher below it
    EXPECT_EQ(current("F45_DNO"), 416);
    io({20260415, 415, 3}, "GET");
    EXPECT_EQ(recordState, 1);
    EXPECT_EQ(journal::NextFreeLine(s, {20260101, 1, 0}), 1); // nothing at or below the key
    EXPECT_EQ(current("F45_DNO") * 100 + current("F45_LIN"), 41503);
}

TEST_F(VoucherLineStorageTest, OnlyAHigherVoucherNumberWritesTheWholeControlRow) {
    data::F01Access(s, "GET", status);
    s.F01Record.F01_DNO = 500;
    data::F01Access(s, "PUT", status);
    for (std::int32_t number : {300, 501}) {
        s.F01Record.F01_TAX1 = 77; // not yet registered by its own window
        journal::RaiseVoucherNumber(s, number);
        data::F01Access(s, "GET", status);
        EXPECT_EQ(s.F01Record.F01_DNO, number == 300 ? 500 : 501);
        EXPECT_EQ(s.F01Record.F01_TAX1 == 77, number == 501);
    }
}

TEST_F(VoucherLineStorageTest, ALineAndItsRaisedVoucherNumberAreRegisteredTogetherOrNotAtAll) {
    data::F01Access(s, "GET", status);
    const journal::VoucherKey key{20260416, 900, 1};
    journal::BlankLine(s, key);
    // The control row cannot be written, as when the job is killed between the two writes.
    s.MainDatabase->execute("CREATE TRIGGER refuse BEFORE UPDATE ON F01TB BEGIN SELECT RAISE(ABORT, 'killed'); END");
    EXPECT_THROW(journal::RegisterLine(s, key), db::DbError);
    EXPECT_EQ(lines(), 5);
    EXPECT_EQ(s.F01Record.F01_DNO, 0);
    EXPECT_FALSE(s.MainDatabase->inTransaction());

    s.MainDatabase->execute("DROP TRIGGER refuse");
    journal::RegisterLine(s, key);
    EXPECT_EQ(lines(), 6);
    data::F01Access(s, "GET", status);
    EXPECT_EQ(s.F01Record.F01_DNO, 900);
}
