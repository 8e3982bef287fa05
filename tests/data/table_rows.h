// Rows for the data tests, written through the same table recordsets the program uses, and the status of a call.
#pragma once

#include "data/cash_row.h"
#include "data/program_state.h"
#include "platform/db/database.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using Fields = std::vector<std::pair<std::string, db::Value>>;

// Adds one row; fields not named keep the zeros and empty texts of a new row.
inline void addRow(db::TableRecordset& table, const Fields& fields) {
    table.addNew();
    for (const auto& [name, value] : fields)
        table.setField(name, value);
    table.update();
}

inline std::int64_t countRows(db::Database& database, const std::string& table) {
    return database.openSnapshot("SELECT * FROM " + table)->rowCount();
}

// The status one call of an access routine returns.
using AccessRoutine = void (*)(data::ProgramState&, const std::string&, std::int16_t&);
inline std::int16_t statusOf(AccessRoutine routine, data::ProgramState& s, const std::string& mode) {
    std::int16_t status = -1;
    routine(s, mode, status);
    return status;
}

// The cash row as the file holds it, read with F46Access.
inline data::F46Rec storedCashRow(data::ProgramState& s) {
    EXPECT_EQ(statusOf(data::F46Access, s, "GET"), 0);
    return s.F46Record;
}

} // namespace testing_support
