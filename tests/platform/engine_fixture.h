// A fresh copy of the template data file opened through the engine, emptied for tests that build
// their own rows, with small helpers to add rows.
#pragma once

#include "platform/db/database.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace engine_tests {

// The error that `action` raises; one numbered 0 when it raises none.
template <typename Action> db::DbError errorOf(Action action) {
    try {
        action();
    } catch (const db::DbError& error) {
        return error;
    }
    return db::DbError(0, "no error");
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = testing_support::copyTemplate(folder);
        testing_support::clearAllTables(path);
        database = db::Database::open(path);
    }

    // Adds a voucher line with the given key and amount (whole yen).
    void addVoucherLine(int ymd, int dno, int lin, std::int64_t amount = 0, const std::string& remark = "") {
        database->execute("INSERT INTO F45TB (F45_YMD, F45_DNO, F45_LIN, F45_RMK, F45_AMT) VALUES (?, ?, ?, ?, ?)",
                          {ymd, dno, lin, remark, db::Currency::fromWhole(amount)});
    }

    std::unique_ptr<db::TableRecordset> vouchers() {
        auto table = database->openTable("F45TB");
        table->setIndex("F45IX");
        return table;
    }

    static std::vector<std::int64_t> key(const db::TableRecordset& table) {
        return {table.field("F45_YMD").asInt(), table.field("F45_DNO").asInt(), table.field("F45_LIN").asInt()};
    }

    testing_support::TempFolder folder;
    std::string path;
    std::unique_ptr<db::Database> database;
};

} // namespace engine_tests
