// Rows for the data tests, written through the same table recordsets the program uses.
#pragma once

#include "platform/db/database.h"

#include <sqlite3.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using Fields = std::vector<std::pair<std::string, db::Value>>;

// Adds one row; fields not named keep the zeros and empty texts of a new row.
inline void addRow(db::TableRecordset &table, const Fields &fields) {
    table.addNew();
    for (const auto &[name, value] : fields)
        table.setField(name, value);
    table.update();
}

inline std::int64_t countRows(db::Database &database, const std::string &table) {
    auto rows = database.openSnapshot("SELECT * FROM " + table);
    std::int64_t count = 0;
    for (; !rows->eof(); rows->moveNext())
        ++count;
    return count;
}

// Drops the NOT NULL rules of a table, the way a file edited by another tool may come; the file must be closed.
inline void allowNulls(const std::string &path, const std::string &table) {
    sqlite3 *handle = nullptr;
    sqlite3_open(path.c_str(), &handle);
    const std::string sql = "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, 'NOT NULL', '') "
                            "WHERE type = 'table' AND name = '" +
                            table + "'; PRAGMA writable_schema = OFF;";
    sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(handle);
}

} // namespace testing_support
