#include "platform/db/database.h"

#include "platform/db/sqlite_support.h"

#include <algorithm>
#include <map>

namespace db {

namespace {

// Where a table recordset stands. Gone: on a row that was deleted; the next move starts from its key.
enum class Place { Bof, Eof, Row, Gone };
enum class EditMode { None, Add, Edit };

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i ? separator : "") + parts[i];
    return text;
}

// Built by appending: GCC 12 warns falsely about "(" + std::string&&.
std::string parenthesised(const std::string& inner) {
    std::string text = "(";
    text += inner;
    text += ")";
    return text;
}

std::string placeholders(std::size_t count) {
    return parenthesised(joined(std::vector<std::string>(count, "?"), ", "));
}

} // namespace

struct TableRecordset::Impl final : StatementOwner {
    Database* db = nullptr;
    std::string table;
    std::string quotedTable;
    std::vector<ColumnInfo> columns;
    ColumnNames columnNames;

    std::string indexName;
    std::vector<std::string> keyFields;
    std::vector<int> keyColumns;
    // With a key that does not name one row, the rowid completes the order.
    bool uniqueKey = false;

    // SQL of the current order.
    std::string selectList; // rowid first, then every column
    std::string orderTuple;
    std::string ascending;
    std::string descending;

    // Prepared on first use; the order-dependent ones are dropped when the index changes.
    mutable Statement first, last, after, before, byRowid, keysOf, pageFirst, pageAfter, pageLast, pageBefore;
    mutable Statement countRows, anyRow, insertRow, updateRow, deleteRow;
    mutable std::map<int, Statement> seeks; // by key length and comparison

    Place place = Place::Bof;
    Bookmark current = 0;
    // Key of the current (or just deleted) row, plus its rowid when the key is not unique.
    mutable std::vector<Value> anchor;
    bool noMatch = false;

    // The statement that produced the current row; stepping it is the next move while nothing wrote.
    const Statement* cursor = nullptr;
    bool cursorForward = true;
    std::uint64_t cursorChange = 0;

    mutable std::vector<Value> row;
    mutable bool rowLoaded = false;
    mutable std::uint64_t rowChange = 0;

    EditMode mode = EditMode::None;
    std::vector<Value> buffer;
    Bookmark editing = 0;
    Bookmark lastModified = 0;

    mutable std::uint64_t countChange = 0;
    mutable bool countKnown = false;
    mutable std::int64_t countValue = 0;
    mutable std::uint64_t emptyChange = 0;
    mutable bool emptyKnown = false;
    mutable bool emptyValue = true;

    std::map<int, Listener> listeners;
    int nextListener = 1;

    Impl(Database& database, const std::string& name) : db(&database), table(name), quotedTable(quoteName(name)) {
        columns = database.columns(name);
        columnNames = ColumnNames(columns);
        DatabaseAccess::registerOwner(database, this);
        useOrder({}, {}, false);
    }

    ~Impl() {
        if (db) DatabaseAccess::unregisterOwner(*db, this);
    }

    void releaseCursor() override {
        if (cursor) cursor->reset();
        cursor = nullptr;
    }

    void detach() override {
        releaseCursor();
        dropOrderStatements();
        countRows = {};
        anyRow = {};
        insertRow = {};
        updateRow = {};
        deleteRow = {};
        byRowid = {};
        keysOf = {};
        db = nullptr;
    }

    sqlite3* handle() const {
        if (!db || !db->isOpen()) throw DbError(EngineFailure, "データファイルが閉じられています。");
        return DatabaseAccess::handle(*db);
    }

    std::uint64_t changes() const { return db ? db->changeCount() : 0; }

    // The text is only built the first time; a seek must not pay for assembling SQL.
    template <class MakeSql> const Statement& prepared(Statement& statement, const MakeSql& makeSql) const {
        if (!statement.prepared()) statement = Statement(handle(), makeSql());
        return statement;
    }

    void dropOrderStatements() {
        releaseCursor();
        first = {};
        last = {};
        after = {};
        before = {};
        pageFirst = {};
        pageAfter = {};
        pageLast = {};
        pageBefore = {};
        keysOf = {};
        seeks.clear();
    }

    void useOrder(const std::string& index, const std::vector<std::string>& fields, bool unique) {
        dropOrderStatements();
        indexName = index;
        keyFields = fields;
        uniqueKey = unique && !fields.empty();
        keyColumns.clear();
        for (const auto& field : fields)
            keyColumns.push_back(columnOf(field));

        std::vector<std::string> names{"rowid"};
        for (const auto& column : columns)
            names.push_back(quoteName(column.name));
        selectList = joined(names, ", ");

        std::vector<std::string> order, up, down;
        for (const auto& field : fields)
            order.push_back(quoteName(field));
        if (!uniqueKey) order.push_back("rowid");
        for (const auto& name : order) {
            up.push_back(name + " ASC");
            down.push_back(name + " DESC");
        }
        orderTuple = parenthesised(joined(order, ", "));
        ascending = joined(up, ", ");
        descending = joined(down, ", ");
        anchor.assign(order.size(), Value());
    }

    int columnOf(const std::string& name) const {
        const int column = columnNames.find(name);
        if (column >= 0) return column;
        throw DbError(FieldMissing, "テーブル " + table + " にフィールド " + name + " がありません。");
    }

    std::string selectFrom() const { return "SELECT " + selectList + " FROM " + quotedTable; }

    // Reads the rowid and key of the row a statement of the select-list layout stands on.
    void takePosition(const Statement& statement) {
        current = sqlite3_column_int64(statement.get(), 0);
        for (std::size_t i = 0; i < keyColumns.size(); ++i)
            anchor[i] = readColumn(statement.get(), keyColumns[i] + 1, columns[keyColumns[i]].type);
        if (!uniqueKey) anchor.back() = Value(static_cast<std::int64_t>(current));
        place = Place::Row;
        rowLoaded = false;
    }

    void takeRow(const Statement& statement) const {
        row.resize(columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i)
            row[i] = readColumn(statement.get(), static_cast<int>(i) + 1, columns[i].type);
        for (std::size_t i = 0; i < keyColumns.size(); ++i)
            anchor[i] = row[keyColumns[i]];
        rowLoaded = true;
        rowChange = changes();
    }

    bool cursorLive() const { return cursor && cursorChange == changes(); }

    // Starts reading rows from a bound statement; false when it has none.
    bool startCursor(const Statement& statement, bool forward) {
        cursor = &statement;
        cursorForward = forward;
        cursorChange = changes();
        return stepCursor();
    }

    bool stepCursor() {
        bool found = false;
        try {
            found = cursor->step();
        } catch (...) {
            // A failed step has reset the statement; the position falls back to its key and rowid.
            cursor = nullptr;
            throw;
        }
        if (found) {
            takePosition(*cursor);
            return true;
        }
        releaseCursor();
        return false;
    }

    bool loadRow() const {
        if (place != Place::Row) return false;
        if (rowLoaded && rowChange == changes()) return true;
        if (cursorLive()) {
            takeRow(*cursor);
            return true;
        }
        const Statement& statement = prepared(byRowid, [&] { return selectFrom() + " WHERE rowid = ?"; });
        statement.reset();
        statement.bind(1, Value(static_cast<std::int64_t>(current)));
        const bool found = statement.step();
        if (found) takeRow(statement);
        statement.reset();
        return found;
    }

    void endEdit() { mode = EditMode::None; }

    void toFirst() {
        endEdit();
        releaseCursor();
        const Statement& statement = prepared(first, [&] { return selectFrom() + " ORDER BY " + ascending; });
        if (!startCursor(statement, true)) place = Place::Eof;
    }

    void toLast() {
        endEdit();
        releaseCursor();
        const Statement& statement = prepared(last, [&] { return selectFrom() + " ORDER BY " + descending; });
        if (!startCursor(statement, false)) place = Place::Bof;
    }

    // One step forward or back from the current or deleted row's key.
    void step(bool forward) {
        endEdit();
        if (cursorLive() && cursorForward == forward) {
            if (!stepCursor()) place = forward ? Place::Eof : Place::Bof;
            return;
        }
        releaseCursor();
        const Statement& statement = forward
                                         ? prepared(after,
                                                    [&] {
                                                        return selectFrom() + " WHERE " + orderTuple + " > " +
                                                               placeholders(anchor.size()) + " ORDER BY " + ascending;
                                                    })
                                         : prepared(before, [&] {
                                               return selectFrom() + " WHERE " + orderTuple + " < " +
                                                      placeholders(anchor.size()) + " ORDER BY " + descending;
                                           });
        statement.bindAll(anchor);
        if (!startCursor(statement, forward)) place = forward ? Place::Eof : Place::Bof;
    }

    void notify(RecordsetEvent event) {
        if (listeners.empty()) return;
        std::vector<Listener> targets;
        for (const auto& entry : listeners)
            targets.push_back(entry.second);
        for (const auto& listener : targets)
            listener(event);
    }

    bool isEmpty() const {
        if (!db) return true;
        if (emptyKnown && emptyChange == changes()) return emptyValue;
        const Statement& statement =
            prepared(anyRow, [&] { return "SELECT EXISTS (SELECT 1 FROM " + quotedTable + ")"; });
        statement.reset();
        statement.step();
        emptyValue = sqlite3_column_int(statement.get(), 0) == 0;
        statement.reset();
        emptyKnown = true;
        emptyChange = changes();
        return emptyValue;
    }

    // The order key of a row named by a bookmark; empty when the row is gone.
    std::vector<Value> anchorOf(Bookmark mark) const {
        std::vector<std::string> names;
        for (const auto& field : keyFields)
            names.push_back(quoteName(field));
        names.push_back("rowid");
        const Statement& statement = prepared(
            keysOf, [&] { return "SELECT " + joined(names, ", ") + " FROM " + quotedTable + " WHERE rowid = ?"; });
        statement.reset();
        statement.bind(1, Value(static_cast<std::int64_t>(mark)));
        std::vector<Value> key;
        if (statement.step()) {
            for (std::size_t i = 0; i < keyColumns.size(); ++i)
                key.push_back(readColumn(statement.get(), static_cast<int>(i), columns[keyColumns[i]].type));
            if (!uniqueKey) key.push_back(Value(static_cast<std::int64_t>(mark)));
        }
        statement.reset();
        return key;
    }

    std::vector<Bookmark> page(Bookmark from, int count, bool forward) const {
        std::vector<Bookmark> marks;
        if (count <= 0 || !db) return marks;
        const std::string direction = forward ? ascending : descending;
        const Statement* statement = nullptr;
        if (from == 0) {
            statement = &prepared(forward ? pageFirst : pageLast, [&] {
                return "SELECT rowid FROM " + quotedTable + " ORDER BY " + direction + " LIMIT ?";
            });
            statement->reset();
            statement->bind(1, Value(count));
        } else {
            const auto key = anchorOf(from);
            if (key.empty()) return marks;
            statement = &prepared(forward ? pageAfter : pageBefore, [&] {
                return "SELECT rowid FROM " + quotedTable + " WHERE " + orderTuple + (forward ? " > " : " < ") +
                       placeholders(key.size()) + " ORDER BY " + direction + " LIMIT ?";
            });
            statement->reset();
            statement->bindAll(key);
            statement->bind(static_cast<int>(key.size()) + 1, Value(count));
        }
        try {
            while (statement->step())
                marks.push_back(sqlite3_column_int64(statement->get(), 0));
        } catch (...) {
            statement->reset();
            throw;
        }
        statement->reset();
        if (!forward) std::reverse(marks.begin(), marks.end());
        return marks;
    }

    void write(const Statement& statement) {
        try {
            statement.step();
        } catch (...) {
            statement.reset();
            throw;
        }
        statement.reset();
    }
};

TableRecordset::TableRecordset(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

TableRecordset::~TableRecordset() {
    impl_->releaseCursor();
    impl_->notify(RecordsetEvent::Closed);
}

std::unique_ptr<TableRecordset> Database::openTable(const std::string& table) {
    if (!handle_) throw DbError(EngineFailure, "データファイルが閉じられています。");
    std::unique_ptr<TableRecordset> recordset(new TableRecordset(std::make_unique<TableRecordset::Impl>(*this, table)));
    recordset->impl_->toFirst();
    return recordset;
}

const std::string& TableRecordset::table() const { return impl_->table; }
const std::vector<ColumnInfo>& TableRecordset::columns() const { return impl_->columns; }
const std::string& TableRecordset::index() const { return impl_->indexName; }
const std::vector<std::string>& TableRecordset::keyFields() const { return impl_->keyFields; }

void TableRecordset::setIndex(const std::string& indexName) {
    impl_->handle();
    for (const auto& index : DatabaseAccess::indexes(*impl_->db, impl_->table)) {
        if (!sameName(index.name, indexName)) continue;
        impl_->useOrder(index.name, index.fields, index.unique);
        impl_->toFirst();
        impl_->notify(RecordsetEvent::Moved);
        return;
    }
    throw DbError(IndexMissing, "テーブル " + impl_->table + " にインデックス " + indexName + " がありません。");
}

void TableRecordset::seek(const std::string& comparison, const std::vector<Value>& key) {
    auto& d = *impl_;
    d.handle();
    if (d.keyFields.empty())
        throw DbError(IndexMissing, "テーブル " + d.table + " にインデックスが設定されていません。");
    if (key.empty() || key.size() > d.keyFields.size())
        throw DbError(EngineFailure, "テーブル " + d.table + " の検索キーの数がインデックスと合いません。");
    // Each comparison reads rows from the seek point in the direction its match lies.
    static const struct {
        const char* comparison;
        const char* sqlOperator;
        bool forward;
    } operators[] = {{"=", ">=", true}, {">=", ">=", true}, {">", ">", true}, {"<=", "<=", false}, {"<", "<", false}};
    int which = -1;
    for (int i = 0; i < 5; ++i)
        if (comparison == operators[i].comparison) which = i;
    if (which < 0) throw DbError(EngineFailure, "検索の比較 '" + comparison + "' は使えません。");
    const std::string sqlOperator = operators[which].sqlOperator;
    const bool forward = operators[which].forward;

    d.endEdit();
    d.releaseCursor();
    std::vector<Value> values;
    values.reserve(key.size());
    for (std::size_t i = 0; i < key.size(); ++i)
        values.push_back(comparableValue(d.columns[d.keyColumns[i]], key[i]));
    auto& slot = d.seeks[static_cast<int>(key.size()) * 8 + (which == 0 ? 1 : which)];
    const Statement& statement = d.prepared(slot, [&] {
        std::vector<std::string> prefix;
        for (std::size_t i = 0; i < key.size(); ++i)
            prefix.push_back(quoteName(d.keyFields[i]));
        return d.selectFrom() + " WHERE " + parenthesised(joined(prefix, ", ")) + " " + sqlOperator + " " +
               placeholders(values.size()) + " ORDER BY " + (forward ? d.ascending : d.descending);
    });
    statement.bindAll(values);
    bool hit = d.startCursor(statement, forward);
    if (hit && comparison == "=") hit = std::equal(values.begin(), values.end(), d.anchor.begin());
    if (!hit) {
        d.releaseCursor();
        d.place = Place::Eof;
    }
    d.noMatch = !hit;
    d.notify(RecordsetEvent::Moved);
}

bool TableRecordset::noMatch() const { return impl_->noMatch; }

bool TableRecordset::bof() const { return impl_->place == Place::Bof || impl_->isEmpty(); }
bool TableRecordset::eof() const { return impl_->place == Place::Eof || impl_->isEmpty(); }
bool TableRecordset::hasCurrent() const {
    const auto& d = *impl_;
    if (!d.db || d.place != Place::Row) return false;
    // A live cursor stands on the row, so it exists; only a stale position needs a look in the file.
    return d.cursorLive() || d.loadRow();
}

void TableRecordset::moveFirst() {
    impl_->toFirst();
    impl_->notify(RecordsetEvent::Moved);
}

void TableRecordset::moveLast() {
    impl_->toLast();
    impl_->notify(RecordsetEvent::Moved);
}

void TableRecordset::moveNext() {
    auto& d = *impl_;
    d.handle();
    if (d.place == Place::Eof) return; // already past the last row: nowhere further to go
    if (d.place == Place::Bof)
        d.toFirst();
    else
        d.step(true);
    d.notify(RecordsetEvent::Moved);
}

void TableRecordset::movePrevious() {
    auto& d = *impl_;
    d.handle();
    if (d.place == Place::Bof) return;
    if (d.place == Place::Eof)
        d.toLast();
    else
        d.step(false);
    d.notify(RecordsetEvent::Moved);
}

Bookmark TableRecordset::bookmark() const {
    if (!hasCurrent()) throwNoCurrentRecord();
    return impl_->current;
}

void TableRecordset::setBookmark(Bookmark mark) {
    auto& d = *impl_;
    d.handle();
    d.endEdit();
    d.releaseCursor();
    const Statement& statement = d.prepared(d.byRowid, [&] { return d.selectFrom() + " WHERE rowid = ?"; });
    statement.reset();
    statement.bind(1, Value(static_cast<std::int64_t>(mark)));
    const bool found = statement.step();
    if (found) {
        d.takePosition(statement);
        d.takeRow(statement);
    }
    statement.reset();
    if (!found) throw DbError(NoCurrentRecord, "ブックマークの行はもうありません。");
    d.notify(RecordsetEvent::Moved);
}

Bookmark TableRecordset::lastModified() const { return impl_->lastModified; }

Value TableRecordset::field(const std::string& name) const { return field(columnIndex(name)); }

Value TableRecordset::field(int column) const {
    const auto& d = *impl_;
    if (column < 0 || column >= static_cast<int>(d.columns.size()))
        throw DbError(FieldMissing, "フィールド番号 " + std::to_string(column) + " はありません。");
    if (d.mode != EditMode::None) return d.buffer[static_cast<std::size_t>(column)];
    const ColumnInfo& info = d.columns[static_cast<std::size_t>(column)];
    // A live cursor stands on the current row unchanged: one field is read without taking the whole row.
    if (d.place == Place::Row && d.cursorLive())
        return checkedValue(d.table, info, readColumn(d.cursor->get(), column + 1, info.type));
    if (!d.db || !d.loadRow()) throwNoCurrentRecord();
    return checkedValue(d.table, info, d.row[static_cast<std::size_t>(column)]);
}

int TableRecordset::columnIndex(const std::string& name) const { return impl_->columnOf(name); }

void TableRecordset::addNew() {
    auto& d = *impl_;
    d.handle();
    d.buffer.clear();
    for (const auto& column : d.columns)
        d.buffer.push_back(emptyValue(column));
    d.mode = EditMode::Add;
}

void TableRecordset::edit() {
    auto& d = *impl_;
    d.endEdit();
    if (!d.db || !d.loadRow()) throwNoCurrentRecord();
    // A value the program cannot use would be written back cut or refused at the update; refuse it here.
    for (std::size_t i = 0; i < d.columns.size(); ++i)
        checkedValue(d.table, d.columns[i], d.row[i]);
    d.buffer = d.row;
    d.editing = d.current;
    d.mode = EditMode::Edit;
}

void TableRecordset::setField(const std::string& name, const Value& value) { setField(columnIndex(name), value); }

void TableRecordset::setField(int column, const Value& value) {
    auto& d = *impl_;
    if (d.mode == EditMode::None) throw DbError(UpdateWithoutEdit, "編集を始めずにフィールドを変更しようとしました。");
    if (column < 0 || column >= static_cast<int>(d.columns.size()))
        throw DbError(FieldMissing, "フィールド番号 " + std::to_string(column) + " はありません。");
    d.buffer[static_cast<std::size_t>(column)] = storableValue(d.columns[static_cast<std::size_t>(column)], value);
}

void TableRecordset::update() {
    auto& d = *impl_;
    if (d.mode == EditMode::None) throw DbError(UpdateWithoutEdit, "編集を始めずに行を書き込もうとしました。");
    sqlite3* handle = d.handle();
    DatabaseAccess::beforeWrite(*d.db);
    if (d.mode == EditMode::Add) {
        const Statement& statement = d.prepared(d.insertRow, [&] {
            std::vector<std::string> names;
            for (const auto& column : d.columns)
                names.push_back(quoteName(column.name));
            return "INSERT INTO " + d.quotedTable + " " + parenthesised(joined(names, ", ")) + " VALUES " +
                   placeholders(names.size());
        });
        statement.reset();
        statement.bindAll(d.buffer);
        d.write(statement);
        d.lastModified = sqlite3_last_insert_rowid(handle);
    } else {
        const Statement& statement = d.prepared(d.updateRow, [&] {
            std::vector<std::string> assignments;
            for (const auto& column : d.columns)
                assignments.push_back(quoteName(column.name) + " = ?");
            return "UPDATE " + d.quotedTable + " SET " + joined(assignments, ", ") + " WHERE rowid = ?";
        });
        statement.reset();
        statement.bindAll(d.buffer);
        statement.bind(static_cast<int>(d.buffer.size()) + 1, Value(static_cast<std::int64_t>(d.editing)));
        d.write(statement);
        if (sqlite3_changes(handle) == 0) {
            d.endEdit();
            throwNoCurrentRecord();
        }
        d.lastModified = d.editing;
        // The edited row stays current, at the place its (possibly new) key gives it.
        d.place = Place::Row;
        d.current = d.editing;
        for (std::size_t i = 0; i < d.keyColumns.size(); ++i)
            d.anchor[i] = d.buffer[d.keyColumns[i]];
        if (!d.uniqueKey) d.anchor.back() = Value(static_cast<std::int64_t>(d.current));
    }
    d.endEdit();
    d.rowLoaded = false;
    d.db->noteChange();
    d.notify(RecordsetEvent::RowsChanged);
}

void TableRecordset::cancelUpdate() { impl_->endEdit(); }

void TableRecordset::deleteCurrent() {
    auto& d = *impl_;
    d.endEdit();
    if (!hasCurrent()) throwNoCurrentRecord();
    DatabaseAccess::beforeWrite(*d.db);
    const Statement& statement =
        d.prepared(d.deleteRow, [&] { return "DELETE FROM " + d.quotedTable + " WHERE rowid = ?"; });
    statement.reset();
    statement.bind(1, Value(static_cast<std::int64_t>(d.current)));
    d.write(statement);
    d.place = Place::Gone;
    d.rowLoaded = false;
    d.db->noteChange();
    d.notify(RecordsetEvent::RowsChanged);
}

std::int64_t TableRecordset::rowCount() const {
    const auto& d = *impl_;
    d.handle();
    if (d.countKnown && d.countChange == d.changes()) return d.countValue;
    const Statement& statement = d.prepared(d.countRows, [&] { return "SELECT COUNT(*) FROM " + d.quotedTable; });
    statement.reset();
    statement.step();
    d.countValue = sqlite3_column_int64(statement.get(), 0);
    statement.reset();
    d.countKnown = true;
    d.countChange = d.changes();
    return d.countValue;
}

std::vector<Bookmark> TableRecordset::bookmarksAfter(Bookmark from, int count) const {
    return impl_->page(from, count, true);
}

std::vector<Bookmark> TableRecordset::bookmarksBefore(Bookmark from, int count) const {
    return impl_->page(from, count, false);
}

std::vector<Value> TableRecordset::rowAt(Bookmark mark) const {
    const auto& d = *impl_;
    d.handle();
    if (d.place == Place::Row && mark == d.current && d.loadRow()) return d.row;
    const Statement& statement = d.prepared(d.byRowid, [&] { return d.selectFrom() + " WHERE rowid = ?"; });
    statement.reset();
    statement.bind(1, Value(static_cast<std::int64_t>(mark)));
    std::vector<Value> values;
    if (statement.step())
        for (std::size_t i = 0; i < d.columns.size(); ++i)
            values.push_back(readColumn(statement.get(), static_cast<int>(i) + 1, d.columns[i].type));
    statement.reset();
    return values;
}

int TableRecordset::addListener(Listener listener) {
    const int id = impl_->nextListener++;
    impl_->listeners.emplace(id, std::move(listener));
    return id;
}

void TableRecordset::removeListener(int id) { impl_->listeners.erase(id); }

} // namespace db
