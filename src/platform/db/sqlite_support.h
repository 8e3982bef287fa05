// What the engine's parts share over the SQLite C API: statements that finalize themselves, error
// translation, and the conversions between field values and stored values. Not for callers.
#pragma once

#include "platform/db/database.h"

#include <sqlite3.h>

#include <set>
#include <string>
#include <vector>

namespace db {

[[noreturn]] void throwSqlite(sqlite3* handle, int code, const std::string& context = {});
[[noreturn]] void throwNoCurrentRecord();
// What a failure's message box does not show (the engine's English text, the statement) goes to
// standard error for whoever debugs.
void logEngineDetail(const std::string& detail);

class Statement {
public:
    Statement() = default;
    Statement(sqlite3* handle, const std::string& sql);
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    // Clears the last run so the statement can be bound afresh.
    void reset() const {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    void bind(int position, const Value& value) const; // position from 1
    void bindAll(const std::vector<Value>& values, int first = 1) const;
    // True with a row to read, false when done; DbError on failure.
    bool step() const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// The field kind and width a declared column type stands for: INT16, INT32, CURRENCY, SINGLE, TEXT(n).
ColumnInfo describeColumn(const std::string& name, const char* declaredType);

// A stored value read as the column's kind; a null stays null.
Value readColumn(sqlite3_stmt* stmt, int column, FieldType type);
// A value read from the file, passed on when the program can use it in its column: a number of the
// column's kind within its range, a text no wider than the column. Anything else raises DbError
// (ValueOutOfRange) naming the table and field, so it is never wrapped or cut and written back.
const Value& checkedValue(const std::string& table, const ColumnInfo& column, const Value& value);
// A caller's value made ready to store in the column: range-checked, texts cut to the width. A null
// becomes the column's zero or empty text.
Value storableValue(const ColumnInfo& column, const Value& value);
// A caller's value in the kind a read of the column gives, so a key compares like a stored one.
Value comparableValue(const ColumnInfo& column, const Value& value);
// A value of the column's kind holding zero or an empty text.
Value emptyValue(const ColumnInfo& column);

std::string quoteName(const std::string& name);
bool sameName(const std::string& a, const std::string& b); // ASCII letters compared without case

// A column's position by name, looked up on every field read: the name as declared is found at once,
// any other spelling by its letters without case. Either way the first column of that name wins.
class ColumnNames {
public:
    ColumnNames() = default;
    explicit ColumnNames(const std::vector<ColumnInfo>& columns);
    int find(const std::string& name) const; // -1 when no column has the name

private:
    // Open addressing over a power-of-two table at most half full: a look-up is one short hash and
    // usually one compare.
    struct Slot {
        std::string name;
        int column = -1;
    };
    static void insert(std::vector<Slot>& slots, const std::string& name, int column);
    static int lookUp(const std::vector<Slot>& slots, const std::string& name);
    std::vector<Slot> exact_;
    std::vector<Slot> folded_;
};

// Lets the database release a recordset's reading statement before any write (an open read keeps
// an implicit transaction from committing) and cut recordsets loose when it closes.
class StatementOwner {
public:
    virtual void releaseCursor() = 0;
    virtual void detach() = 0;

protected:
    ~StatementOwner() = default;
};

struct IndexInfo {
    std::string name;
    bool unique = false;
    std::vector<std::string> fields;
};

struct DatabaseAccess {
    static void registerOwner(Database& db, StatementOwner* owner);
    static void unregisterOwner(Database& db, StatementOwner* owner);
    // Releases every reading statement; call before a write.
    static void beforeWrite(Database& db);
    static const std::vector<IndexInfo>& indexes(Database& db, const std::string& table);
    static sqlite3* handle(const Database& db);
    // A prepared statement kept for the text, reset and without bindings.
    static const Statement& cachedStatement(Database& db, const std::string& sql);
};

} // namespace db
