// The data-file engine: a data file over SQLite with table recordsets that seek on their index
// and query recordsets (snapshots and dynasets), in the shape the program's callers rely on.
#pragma once

#include "platform/db/db_error.h"
#include "platform/db/value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace db {

class TableRecordset;
class QueryRecordset;
struct DatabaseAccess;

// A row's identity that survives moves and other rows' changes; 0 names no row.
using Bookmark = std::int64_t;

struct ColumnInfo {
    std::string name;
    FieldType type = FieldType::Other;
    int width = 0; // characters, for text(n)
};

// The tables every data file must hold; opening a file without them fails.
const std::vector<std::string>& requiredTables();

// Opens the file as a data file and checks every page of it. Opening plays back a journal that a job
// killed inside its commit left beside the file, so this also rolls such a journal back, and tells
// whether that gave a whole data file. False for anything that is not one.
bool IsSoundDataFile(const std::string& path);

class Database {
public:
    // Opens an existing data file read-write. Never creates one: a missing file, a file that is not a
    // data file, or one that lacks a required table raises DbError.
    static std::unique_ptr<Database> open(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& path() const { return path_; }
    void close();
    bool isOpen() const { return handle_ != nullptr; }

    // A table recordset on the table, positioned on its first row in the order of the current index.
    std::unique_ptr<TableRecordset> openTable(const std::string& table);
    // A read-only copy of the rows the query selects; parameters bind to the "?" of the text in order.
    // Money binds as Currency (its ten-thousandths); a plain number given for a currency column is stored
    // as ten-thousandths too. A column of a table reads as its field type; an expression over a currency
    // column (SUM(F45_AMT)) reads as a plain count of ten-thousandths.
    std::unique_ptr<QueryRecordset> openSnapshot(const std::string& sql, const std::vector<Value>& params = {});
    // Like a snapshot, but rows can be edited and deleted and are written to the query's one table.
    std::unique_ptr<QueryRecordset> openDynaset(const std::string& sql, const std::vector<Value>& params = {});
    // Runs a statement that returns no rows; returns the number of rows it changed.
    std::int64_t execute(const std::string& sql, const std::vector<Value>& params = {});

    // One transaction at a time.
    void beginTrans();
    void commitTrans();
    void rollback();
    bool inTransaction() const { return inTransaction_; }

    // Columns of a table in their order, as the data file declares them.
    const std::vector<ColumnInfo>& columns(const std::string& table);

    // Rises with every change written through this database, so cached rows know to refresh.
    std::uint64_t changeCount() const { return changeCount_; }
    void noteChange() { ++changeCount_; }

    sqlite3* handle() const { return handle_; }

private:
    Database(std::string path, sqlite3* handle);
    std::string path_;
    sqlite3* handle_ = nullptr;
    bool inTransaction_ = false;
    std::uint64_t changeCount_ = 0;
    struct Cache;
    std::unique_ptr<Cache> cache_;
    friend class TableRecordset;
    friend class QueryRecordset;
    friend struct DatabaseAccess;
};

// What a view following a table recordset hears about.
enum class RecordsetEvent { Moved, RowsChanged, Closed };

// A table with a current index. Seeks, moves and bookmarks follow the index order; edits go
// through a copy buffer: addNew or edit, setField, update (or cancelUpdate).
class TableRecordset {
public:
    ~TableRecordset();
    TableRecordset(const TableRecordset&) = delete;
    TableRecordset& operator=(const TableRecordset&) = delete;

    const std::string& table() const;
    const std::vector<ColumnInfo>& columns() const;
    void setIndex(const std::string& indexName); // DbError when the table has no such index
    const std::string& index() const;
    const std::vector<std::string>& keyFields() const;

    // Seek on the current index with "=", ">=", "<=", ">" or "<" and one value per key field from the
    // first (fewer values compare a prefix of the key). A miss sets noMatch and leaves no current row.
    void seek(const std::string& comparison, const std::vector<Value>& key);
    bool noMatch() const;

    bool bof() const;
    bool eof() const;
    bool empty() const { return bof() && eof(); }
    bool hasCurrent() const; // standing on a row that still exists

    // A move cancels an addNew or edit not yet updated. moveNext past the end (movePrevious before the
    // beginning) stays there.
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    Bookmark bookmark() const;       // DbError when there is no current row
    void setBookmark(Bookmark mark); // DbError when the row is gone
    Bookmark lastModified() const;

    // Reading a field needs a current row; inside addNew or edit it reads the copy buffer.
    Value field(const std::string& name) const;
    Value field(int column) const;
    int columnIndex(const std::string& name) const; // DbError when missing

    void addNew(); // a copy buffer of zeros and empty texts
    void edit();   // a copy buffer of the current row
    void setField(const std::string& name, const Value& value);
    void setField(int column, const Value& value);
    // Writes the copy buffer. After an addNew the recordset stays where it stood; after an edit it
    // stays on the edited row. lastModified names the written row either way.
    void update();
    void cancelUpdate();
    // Deletes the current row; there is no current row until the next move, and moveNext goes to
    // the row that followed it.
    void deleteCurrent();

    std::int64_t rowCount() const;
    // Up to `count` rows' bookmarks in index order, from the first row after (or before) the row
    // `from` names; from 0 starts at the first (or last) row. For grids that fetch rows on demand.
    std::vector<Bookmark> bookmarksAfter(Bookmark from, int count) const;
    std::vector<Bookmark> bookmarksBefore(Bookmark from, int count) const;
    // The fields of one row without moving the recordset; empty when the row is gone.
    std::vector<Value> rowAt(Bookmark mark) const;

    using Listener = std::function<void(RecordsetEvent)>;
    int addListener(Listener listener);
    void removeListener(int id);

private:
    friend class Database;
    struct Impl;
    explicit TableRecordset(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Rows of a query, read at open and at requery. A snapshot is read-only; a dynaset writes edits,
// additions and deletions to the one table its query reads.
class QueryRecordset {
public:
    ~QueryRecordset();
    QueryRecordset(const QueryRecordset&) = delete;
    QueryRecordset& operator=(const QueryRecordset&) = delete;

    bool isDynaset() const;
    const std::vector<ColumnInfo>& columns() const;
    int columnIndex(const std::string& name) const;

    bool bof() const;
    bool eof() const;
    bool empty() const { return bof() && eof(); }
    bool noMatch() const;
    std::int64_t rowCount() const;

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    Bookmark bookmark() const;
    void setBookmark(Bookmark mark);

    // Finds the first (last) row for which the test holds; a miss sets noMatch and keeps the position.
    using RowTest = std::function<bool(const QueryRecordset&)>;
    void findFirst(const RowTest& test);
    void findLast(const RowTest& test);
    void findNext(const RowTest& test);

    Value field(const std::string& name) const;
    Value field(int column) const;

    // Dynaset only.
    void addNew();
    void edit();
    void setField(const std::string& name, const Value& value);
    void update(); // an added row is kept at the end of the set, where it stays until requery
    void cancelUpdate();
    void deleteCurrent();
    Bookmark lastModified() const;

    void requery();
    void close();

private:
    friend class Database;
    struct Impl;
    explicit QueryRecordset(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Counts characters, not bytes, in UTF-8 text.
std::size_t characterCount(const std::string& text);
// The first `count` characters of the text.
std::string firstCharacters(const std::string& text, std::size_t count);

} // namespace db
