#include "platform/db/database.h"

#include "platform/db/sqlite_support.h"

#include <cctype>

namespace db {

namespace {

enum class EditMode { None, Add, Edit };

struct Token {
    std::string text;
    std::size_t start = 0;
    int depth = 0;
};

// Words and signs of a query text at their parenthesis depth; quoted texts are skipped whole.
std::vector<Token> tokenize(const std::string& sql) {
    std::vector<Token> tokens;
    int depth = 0;
    std::size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            ++i;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : static_cast<char>(c);
            const std::size_t end = sql.find(close, i + 1);
            const std::size_t stop = end == std::string::npos ? sql.size() : end + 1;
            tokens.push_back({sql.substr(i, stop - i), i, depth});
            i = stop;
        } else if (std::isalnum(c) || c == '_' || c >= 0x80) {
            const std::size_t start = i;
            while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_' ||
                                      static_cast<unsigned char>(sql[i]) >= 0x80))
                ++i;
            tokens.push_back({sql.substr(start, i - start), start, depth});
        } else {
            if (c == ')') --depth;
            tokens.push_back({std::string(1, static_cast<char>(c)), i, depth});
            if (c == '(') ++depth;
            ++i;
        }
    }
    return tokens;
}

bool isWord(const Token& token, const char* word) { return sameName(token.text, word); }

std::string unquoted(const std::string& name) {
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '[' || name.front() == '`'))
        return name.substr(1, name.size() - 2);
    return name;
}

struct DynasetSource {
    std::string table;
    std::string sql; // the query with the table's rowid as its first column
};

[[noreturn]] void notUpdatable(const std::string& why, const std::string& sql = {}) {
    if (!sql.empty()) logEngineDetail("not updatable: " + sql);
    throw DbError(NotUpdatable, why);
}

// A dynaset writes to the one table its query reads, so the query must select from exactly one table.
DynasetSource dynasetSource(const std::string& sql) {
    const auto tokens = tokenize(sql);
    if (tokens.empty() || !isWord(tokens[0], "SELECT")) notUpdatable("更新できるのは行を選ぶ問い合わせだけです。", sql);
    if (tokens.size() > 1 && (isWord(tokens[1], "DISTINCT") || isWord(tokens[1], "ALL")))
        notUpdatable("重複を除く問い合わせは更新できません。", sql);
    std::size_t from = 0;
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (tokens[i].depth == 0 && isWord(tokens[i], "FROM")) {
            from = i;
            break;
        }
    if (from == 0 || from + 1 >= tokens.size()) notUpdatable("テーブルのない問い合わせは更新できません。", sql);
    DynasetSource source;
    source.table = unquoted(tokens[from + 1].text);
    std::string qualifier = tokens[from + 1].text;
    std::size_t next = from + 2;
    static const char* const clauses[] = {"WHERE", "ORDER",  "GROUP",     "LIMIT",   "HAVING", "WINDOW",
                                          "UNION", "EXCEPT", "INTERSECT", "JOIN",    "INNER",  "LEFT",
                                          "RIGHT", "FULL",   "CROSS",     "NATURAL", "OUTER"};
    auto isClause = [&](const Token& token) {
        for (const char* word : clauses)
            if (isWord(token, word)) return true;
        return false;
    };
    if (next < tokens.size() && isWord(tokens[next], "AS")) ++next;
    if (next < tokens.size() && tokens[next].depth == 0 && !isClause(tokens[next]) && tokens[next].text != "," &&
        tokens[next].text != ";") {
        qualifier = tokens[next].text;
        ++next;
    }
    // Another table can only come in through a comma or a join before the first clause.
    bool inFromList = true;
    for (std::size_t i = from + 2; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.depth != 0) continue;
        if (isWord(token, "WHERE") || isWord(token, "ORDER") || isWord(token, "LIMIT")) inFromList = false;
        const bool joins = isWord(token, "JOIN") || (inFromList && token.text == ",");
        const bool combines =
            isWord(token, "GROUP") || isWord(token, "UNION") || isWord(token, "EXCEPT") || isWord(token, "INTERSECT");
        if (joins || combines) notUpdatable("複数のテーブルや集計の問い合わせは更新できません。", sql);
    }
    const std::size_t afterSelect = tokens[0].start + tokens[0].text.size();
    source.sql = "SELECT " + qualifier + ".rowid," + sql.substr(afterSelect);
    return source;
}

} // namespace

struct QueryRecordset::Impl final : StatementOwner {
    struct Row {
        std::int64_t rowid = 0;
        std::vector<Value> values;
        bool deleted = false;
    };

    Database* db = nullptr;
    bool dynaset = false;
    std::string sql;
    std::vector<Value> params;
    std::string table;
    std::string readSql;
    std::vector<ColumnInfo> columns;
    ColumnNames columnNames;
    std::vector<ColumnInfo> tableColumns;
    ColumnNames tableColumnNames;
    std::vector<int> tableColumnOf;   // per query column, its table column or -1
    std::vector<std::string> origins; // per query column, the table it reads, empty for an expression

    // What an update writes, worked out once per load: the query columns in order, a column selected
    // twice only the first time, and the statements that write them, prepared on first use.
    std::vector<std::size_t> writtenColumns;
    std::string insertSql, updateSql, deleteSql;
    Statement insertRow, updateRow, deleteRow;

    std::vector<Row> rows;
    long position = -1; // -1 before the first row, rows.size() after the last
    bool noMatch = false;

    EditMode mode = EditMode::None;
    std::vector<Value> buffer;
    Bookmark lastModified = 0;

    Impl(Database& database, std::string text, std::vector<Value> values, bool writable)
        : db(&database), dynaset(writable), sql(std::move(text)), params(std::move(values)) {
        readSql = sql;
        if (dynaset) {
            auto source = dynasetSource(sql);
            table = source.table;
            readSql = source.sql;
            tableColumns = database.columns(table);
            tableColumnNames = ColumnNames(tableColumns);
        }
        DatabaseAccess::registerOwner(database, this);
    }

    ~Impl() {
        if (db) DatabaseAccess::unregisterOwner(*db, this);
    }

    void releaseCursor() override {} // rows are read whole, so no statement stays open
    void detach() override {
        dropWriteStatements();
        db = nullptr;
    }

    void dropWriteStatements() {
        insertRow = {};
        updateRow = {};
        deleteRow = {};
    }

    Database& database() const {
        if (!db || !db->isOpen()) throw DbError(EngineFailure, "データファイルが閉じられています。");
        return *db;
    }

    void load() {
        const Statement& statement = DatabaseAccess::cachedStatement(database(), readSql);
        const int offset = dynaset ? 1 : 0;
        const int count = sqlite3_column_count(statement.get());
        columns.clear();
        tableColumnOf.clear();
        origins.clear();
        for (int i = offset; i < count; ++i) {
            const char* name = sqlite3_column_name(statement.get(), i);
            columns.push_back(describeColumn(name ? name : "", sqlite3_column_decltype(statement.get(), i)));
            const char* origin = sqlite3_column_table_name(statement.get(), i);
            origins.emplace_back(origin ? origin : "");
            tableColumnOf.push_back(tableColumnNames.find(columns.back().name));
        }
        columnNames = ColumnNames(columns);
        if (dynaset) planWrites();
        rows.clear();
        deletedRows = 0;
        try {
            statement.bindAll(params);
            while (statement.step()) {
                Row row;
                if (dynaset) row.rowid = sqlite3_column_int64(statement.get(), 0);
                row.values.reserve(columns.size());
                for (int i = offset; i < count; ++i)
                    row.values.push_back(
                        readColumn(statement.get(), i, columns[static_cast<std::size_t>(i - offset)].type));
                rows.push_back(std::move(row));
            }
        } catch (...) {
            statement.reset();
            throw;
        }
        statement.reset();
        mode = EditMode::None;
        noMatch = false;
        position = -1;
        moveFrom(-1, 1);
    }

    long size() const { return static_cast<long>(rows.size()); }
    bool live(long index) const {
        return index >= 0 && index < size() && !rows[static_cast<std::size_t>(index)].deleted;
    }
    // Rows not deleted; kept as a count so that a walk deleting every row stays linear.
    long deletedRows = 0;
    bool anyRow() const { return deletedRows < size(); }

    // Moves to the first live row from `start` (exclusive) in the direction; off the end when none.
    void moveFrom(long start, int direction) {
        mode = EditMode::None;
        long index = start + direction;
        while (index >= 0 && index < size() && !live(index))
            index += direction;
        position = index < 0 ? -1 : (index >= size() ? size() : index);
    }

    const Row& currentRow() const {
        if (!live(position)) throwNoCurrentRecord();
        return rows[static_cast<std::size_t>(position)];
    }

    void requireDynaset() const {
        if (!dynaset) notUpdatable("スナップショットは更新できません。");
    }

    void planWrites() {
        dropWriteStatements();
        writtenColumns.clear();
        std::vector<bool> taken(tableColumns.size(), false);
        std::string names, marks, assignments;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int target = tableColumnOf[i];
            if (target < 0 || taken[static_cast<std::size_t>(target)]) continue;
            taken[static_cast<std::size_t>(target)] = true;
            const std::string name = quoteName(tableColumns[static_cast<std::size_t>(target)].name);
            const char* separator = writtenColumns.empty() ? "" : ", ";
            names.append(separator).append(name);
            marks.append(separator).append("?");
            assignments.append(separator).append(name).append(" = ?");
            writtenColumns.push_back(i);
        }
        const std::string quotedTable = quoteName(table);
        insertSql = writtenColumns.empty() ? "INSERT INTO " + quotedTable + " DEFAULT VALUES"
                                           : "INSERT INTO " + quotedTable + " (" + names + ") VALUES (" + marks + ")";
        updateSql = writtenColumns.empty() ? std::string()
                                           : "UPDATE " + quotedTable + " SET " + assignments + " WHERE rowid = ?";
        deleteSql = "DELETE FROM " + quotedTable + " WHERE rowid = ?";
    }

    int columnOf(const std::string& name) const {
        const int column = columnNames.find(name);
        if (column >= 0) return column;
        throw DbError(FieldMissing, "問い合わせにフィールド " + name + " がありません。");
    }

    // Writes through one of the recordset's own statements, prepared from its text the first time.
    void run(Statement& statement, const std::string& text, const std::vector<Value>& values) {
        Database& target = database();
        DatabaseAccess::beforeWrite(target);
        if (!statement.prepared()) statement = Statement(DatabaseAccess::handle(target), text);
        statement.reset();
        try {
            statement.bindAll(values);
            statement.step();
        } catch (...) {
            statement.reset();
            throw;
        }
        statement.reset();
    }

    template <class Test> void find(long start, int direction, const Test& test, QueryRecordset& self) {
        const long saved = position;
        for (long index = start; index >= 0 && index < size(); index += direction) {
            if (!live(index)) continue;
            position = index;
            if (test(self)) {
                noMatch = false;
                return;
            }
        }
        position = saved;
        noMatch = true;
    }
};

QueryRecordset::QueryRecordset(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
QueryRecordset::~QueryRecordset() = default;

std::unique_ptr<QueryRecordset> Database::openSnapshot(const std::string& sql, const std::vector<Value>& params) {
    std::unique_ptr<QueryRecordset> recordset(
        new QueryRecordset(std::make_unique<QueryRecordset::Impl>(*this, sql, params, false)));
    recordset->impl_->load();
    return recordset;
}

std::unique_ptr<QueryRecordset> Database::openDynaset(const std::string& sql, const std::vector<Value>& params) {
    std::unique_ptr<QueryRecordset> recordset(
        new QueryRecordset(std::make_unique<QueryRecordset::Impl>(*this, sql, params, true)));
    recordset->impl_->load();
    return recordset;
}

bool QueryRecordset::isDynaset() const { return impl_->dynaset; }
const std::vector<ColumnInfo>& QueryRecordset::columns() const { return impl_->columns; }
int QueryRecordset::columnIndex(const std::string& name) const { return impl_->columnOf(name); }

bool QueryRecordset::bof() const { return impl_->position < 0 || !impl_->anyRow(); }
bool QueryRecordset::eof() const { return impl_->position >= impl_->size() || !impl_->anyRow(); }
bool QueryRecordset::noMatch() const { return impl_->noMatch; }

std::int64_t QueryRecordset::rowCount() const { return impl_->size() - impl_->deletedRows; }

void QueryRecordset::moveFirst() { impl_->moveFrom(-1, 1); }
void QueryRecordset::moveLast() { impl_->moveFrom(impl_->size(), -1); }

void QueryRecordset::moveNext() {
    if (impl_->position >= impl_->size()) return;
    impl_->moveFrom(impl_->position, 1);
}

void QueryRecordset::movePrevious() {
    if (impl_->position < 0) return;
    impl_->moveFrom(impl_->position, -1);
}

Bookmark QueryRecordset::bookmark() const {
    impl_->currentRow();
    return impl_->position + 1;
}

void QueryRecordset::setBookmark(Bookmark mark) {
    const long index = static_cast<long>(mark) - 1;
    if (!impl_->live(index)) throw DbError(NoCurrentRecord, "ブックマークの行はもうありません。");
    impl_->mode = EditMode::None;
    impl_->position = index;
}

void QueryRecordset::findFirst(const RowTest& test) { impl_->find(0, 1, test, *this); }
void QueryRecordset::findLast(const RowTest& test) { impl_->find(impl_->size() - 1, -1, test, *this); }
void QueryRecordset::findNext(const RowTest& test) { impl_->find(impl_->position + 1, 1, test, *this); }

Value QueryRecordset::field(const std::string& name) const { return field(columnIndex(name)); }

Value QueryRecordset::field(int column) const {
    const auto& d = *impl_;
    if (column < 0 || column >= static_cast<int>(d.columns.size()))
        throw DbError(FieldMissing, "フィールド番号 " + std::to_string(column) + " はありません。");
    if (d.mode != EditMode::None) return d.buffer[static_cast<std::size_t>(column)];
    const auto index = static_cast<std::size_t>(column);
    return checkedValue(d.origins[index], d.columns[index], d.currentRow().values[index]);
}

void QueryRecordset::addNew() {
    auto& d = *impl_;
    d.requireDynaset();
    d.database();
    d.buffer.clear();
    for (const auto& column : d.columns)
        d.buffer.push_back(emptyValue(column));
    d.mode = EditMode::Add;
}

void QueryRecordset::edit() {
    auto& d = *impl_;
    d.requireDynaset();
    d.mode = EditMode::None;
    const auto& values = d.currentRow().values;
    // A value the program cannot use would be written back cut or refused at the update; refuse it here.
    for (std::size_t i = 0; i < d.columns.size(); ++i)
        checkedValue(d.origins[i], d.columns[i], values[i]);
    d.buffer = values;
    d.mode = EditMode::Edit;
}

void QueryRecordset::setField(const std::string& name, const Value& value) {
    auto& d = *impl_;
    d.requireDynaset();
    if (d.mode == EditMode::None) throw DbError(UpdateWithoutEdit, "編集を始めずにフィールドを変更しようとしました。");
    const auto column = static_cast<std::size_t>(d.columnOf(name));
    const int target = d.tableColumnOf[column];
    if (target < 0) notUpdatable("フィールド " + name + " はテーブル " + d.table + " に書けません。");
    d.buffer[column] = storableValue(d.tableColumns[static_cast<std::size_t>(target)], value);
}

void QueryRecordset::update() {
    auto& d = *impl_;
    d.requireDynaset();
    if (d.mode == EditMode::None) throw DbError(UpdateWithoutEdit, "編集を始めずに行を書き込もうとしました。");
    Database& database = d.database();
    std::vector<Value> values;
    values.reserve(d.writtenColumns.size() + 1);
    for (const auto column : d.writtenColumns)
        values.push_back(d.buffer[column]);
    sqlite3* handle = DatabaseAccess::handle(database);
    if (d.mode == EditMode::Add) {
        d.run(d.insertRow, d.insertSql, values);
        QueryRecordset::Impl::Row row;
        row.rowid = sqlite3_last_insert_rowid(handle);
        row.values = d.buffer;
        d.rows.push_back(std::move(row));
        d.lastModified = d.size();
        // The cursor was off the end; it stays off the end, now of the longer set.
        if (d.position == d.size() - 1) d.position = d.size();
    } else {
        const auto& current = d.currentRow();
        values.emplace_back(static_cast<std::int64_t>(current.rowid));
        if (!d.writtenColumns.empty()) {
            d.run(d.updateRow, d.updateSql, values);
            if (sqlite3_changes(handle) == 0) {
                d.mode = EditMode::None;
                throwNoCurrentRecord();
            }
        }
        d.rows[static_cast<std::size_t>(d.position)].values = d.buffer;
        d.lastModified = d.position + 1;
    }
    d.mode = EditMode::None;
    database.noteChange();
}

void QueryRecordset::cancelUpdate() { impl_->mode = EditMode::None; }

void QueryRecordset::deleteCurrent() {
    auto& d = *impl_;
    d.requireDynaset();
    d.mode = EditMode::None;
    const auto& current = d.currentRow();
    Database& database = d.database();
    d.run(d.deleteRow, d.deleteSql, {Value(static_cast<std::int64_t>(current.rowid))});
    // The position stays on the deleted slot, so the next move goes to its neighbour.
    d.rows[static_cast<std::size_t>(d.position)].deleted = true;
    ++d.deletedRows;
    database.noteChange();
}

Bookmark QueryRecordset::lastModified() const { return impl_->lastModified; }

void QueryRecordset::requery() { impl_->load(); }

void QueryRecordset::close() {
    auto& d = *impl_;
    d.rows.clear();
    d.deletedRows = 0;
    d.position = -1;
    d.mode = EditMode::None;
    d.dropWriteStatements();
    if (d.db) DatabaseAccess::unregisterOwner(*d.db, &d);
    d.db = nullptr;
}

} // namespace db
