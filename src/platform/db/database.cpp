#include "platform/db/database.h"

#include "platform/db/sqlite_support.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

namespace db {

const std::vector<std::string>& requiredTables() {
    static const std::vector<std::string> tables = {"F01TB", "F10KBNTB", "F10TB", "F18TB", "F21TB",
                                                    "F28TB", "F45TB",    "F46TB", "F50TB"};
    return tables;
}

struct Database::Cache {
    std::map<std::string, std::vector<ColumnInfo>> columns;
    std::map<std::string, std::vector<IndexInfo>> indexes;
    // Statements run again and again by execute and the query recordsets, kept prepared.
    std::map<std::string, Statement> statements;
    std::set<StatementOwner*> owners;
};

namespace {

constexpr std::size_t StatementCacheLimit = 200;
constexpr int BusyTimeoutMs = 2000;

void run(sqlite3* handle, const char* sql) {
    const int code = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) throwSqlite(handle, code, sql);
}

std::string lowered(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool changesSchema(const std::string& sql) {
    std::size_t start = sql.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return false;
    const std::string head = lowered(sql.substr(start, 6));
    return head.rfind("create", 0) == 0 || head.rfind("drop", 0) == 0 || head.rfind("alter", 0) == 0;
}

bool onlyBlanks(const char* text) {
    for (; *text; ++text)
        if (!std::isspace(static_cast<unsigned char>(*text))) return false;
    return true;
}

} // namespace

std::unique_ptr<Database> Database::open(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.empty() || !fs::exists(path, error))
        throw DbError(FileNotFound, "ファイル '" + path + "' が見つかりません。");
    if (!fs::is_regular_file(path, error))
        throw DbError(NotADataFile, "'" + path + "' はデータファイルではありません。");

    sqlite3* handle = nullptr;
    // A data file is used from one thread only, so the connection needs no locking of its own.
    const int code = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        logEngineDetail(path + ": " + (handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code)));
        sqlite3_close(handle);
        throw DbError(FileNotFound, "ファイル '" + path + "' を開けません。");
    }
    std::unique_ptr<Database> database(new Database(path, handle));
    sqlite3_busy_timeout(handle, BusyTimeoutMs);
    // Keyed reads on a large voucher table stay in memory instead of going back to the file.
    sqlite3_exec(handle, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
    sqlite3_exec(handle, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);

    std::vector<std::string> present;
    try {
        Statement tables(handle, "SELECT name FROM sqlite_master WHERE type = 'table'");
        while (tables.step())
            present.push_back(reinterpret_cast<const char*>(sqlite3_column_text(tables.get(), 0)));
    } catch (const DbError&) {
        throw DbError(NotADataFile, "'" + path + "' はデータファイルではありません。");
    }
    for (const auto& table : requiredTables()) {
        const bool found =
            std::any_of(present.begin(), present.end(), [&](const std::string& name) { return sameName(name, table); });
        if (!found)
            throw DbError(TableMissing, "データファイル '" + path + "' にテーブル " + table + " がありません。");
    }
    return database;
}

bool IsSoundDataFile(const std::string& path) {
    try {
        const auto database = Database::open(path);
        Statement check(database->handle(), "PRAGMA integrity_check");
        // A sound file gives one row, "ok"; a damaged one lists what is wrong instead.
        if (!check.step()) return false;
        const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
        return verdict && std::string(verdict) == "ok";
    } catch (const DbError&) {
        return false;
    }
}

Database::Database(std::string path, sqlite3* handle)
    : path_(std::move(path)), handle_(handle), cache_(std::make_unique<Cache>()) {}

Database::~Database() { close(); }

void Database::close() {
    if (!handle_) return;
    // Recordsets may outlive the database; they are cut loose and fail cleanly from now on.
    const auto owners = cache_->owners;
    for (auto* owner : owners)
        owner->detach();
    cache_->owners.clear();
    cache_->statements.clear();
    cache_->columns.clear();
    cache_->indexes.clear();
    sqlite3_close_v2(handle_);
    handle_ = nullptr;
    inTransaction_ = false;
}

std::int64_t Database::execute(const std::string& sql, const std::vector<Value>& params) {
    if (!handle_) throw DbError(EngineFailure, "データファイルが閉じられています。");
    auto found = cache_->statements.find(sql);
    if (found == cache_->statements.end()) {
        // A text of several statements runs once, uncached.
        sqlite3_stmt* probe = nullptr;
        const char* tail = nullptr;
        const int code = sqlite3_prepare_v2(handle_, sql.c_str(), -1, &probe, &tail);
        if (code != SQLITE_OK) {
            sqlite3_finalize(probe);
            throwSqlite(handle_, code, sql);
        }
        sqlite3_finalize(probe);
        if (tail && !onlyBlanks(tail)) {
            if (!params.empty()) {
                logEngineDetail("parameters for several statements: " + sql);
                throw DbError(EngineFailure, "パラメータは一つの問い合わせにしか使えません。");
            }
            DatabaseAccess::beforeWrite(*this);
            const int before = sqlite3_total_changes(handle_);
            char* message = nullptr;
            const int result = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message);
            sqlite3_free(message);
            noteChange();
            if (changesSchema(sql)) {
                cache_->columns.clear();
                cache_->indexes.clear();
            }
            if (result != SQLITE_OK) throwSqlite(handle_, result, sql);
            return sqlite3_total_changes(handle_) - before;
        }
    }
    const Statement& statement = DatabaseAccess::cachedStatement(*this, sql);
    const bool writes = !sqlite3_stmt_readonly(statement.get());
    if (writes) DatabaseAccess::beforeWrite(*this);
    statement.reset();
    std::int64_t changed = 0;
    try {
        statement.bindAll(params);
        while (statement.step()) {
        }
        changed = writes ? sqlite3_changes64(handle_) : 0;
        statement.reset();
    } catch (...) {
        statement.reset();
        if (writes) noteChange();
        throw;
    }
    if (writes) {
        noteChange();
        if (changesSchema(sql)) {
            cache_->statements.clear();
            cache_->columns.clear();
            cache_->indexes.clear();
        }
    }
    return changed;
}

void Database::beginTrans() {
    if (!handle_) throw DbError(EngineFailure, "データファイルが閉じられています。");
    if (inTransaction_) throw DbError(EngineFailure, "トランザクションは既に始まっています。");
    run(handle_, "BEGIN");
    inTransaction_ = true;
}

void Database::commitTrans() {
    if (!handle_ || !inTransaction_) throw DbError(EngineFailure, "始まっていないトランザクションは確定できません。");
    DatabaseAccess::beforeWrite(*this);
    run(handle_, "COMMIT");
    inTransaction_ = false;
}

void Database::rollback() {
    if (!handle_ || !inTransaction_) throw DbError(EngineFailure, "始まっていないトランザクションは取り消せません。");
    DatabaseAccess::beforeWrite(*this);
    inTransaction_ = false;
    // Rows read inside the transaction are stale now, whether or not the rollback succeeds.
    noteChange();
    run(handle_, "ROLLBACK");
}

const std::vector<ColumnInfo>& Database::columns(const std::string& table) {
    if (!handle_) throw DbError(EngineFailure, "データファイルが閉じられています。");
    auto found = cache_->columns.find(table);
    if (found != cache_->columns.end()) return found->second;
    std::vector<ColumnInfo> result;
    Statement info(handle_, "PRAGMA table_info(" + quoteName(table) + ")");
    while (info.step()) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 1));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
        result.push_back(describeColumn(name ? name : "", type));
    }
    if (result.empty()) throw DbError(TableMissing, "テーブル " + table + " がありません。");
    return cache_->columns.emplace(table, std::move(result)).first->second;
}

void DatabaseAccess::registerOwner(Database& db, StatementOwner* owner) { db.cache_->owners.insert(owner); }

void DatabaseAccess::unregisterOwner(Database& db, StatementOwner* owner) { db.cache_->owners.erase(owner); }

void DatabaseAccess::beforeWrite(Database& db) {
    for (auto* owner : db.cache_->owners)
        owner->releaseCursor();
}

const std::vector<IndexInfo>& DatabaseAccess::indexes(Database& db, const std::string& table) {
    auto found = db.cache_->indexes.find(table);
    if (found != db.cache_->indexes.end()) return found->second;
    db.columns(table); // a missing table fails here with its name
    std::vector<IndexInfo> result;
    Statement list(db.handle_, "PRAGMA index_list(" + quoteName(table) + ")");
    while (list.step()) {
        IndexInfo index;
        index.name = reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 1));
        index.unique = sqlite3_column_int(list.get(), 2) != 0;
        result.push_back(std::move(index));
    }
    for (auto& index : result) {
        Statement info(db.handle_, "PRAGMA index_info(" + quoteName(index.name) + ")");
        std::vector<std::pair<int, std::string>> fields;
        while (info.step()) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 2));
            fields.emplace_back(sqlite3_column_int(info.get(), 0), name ? name : "");
        }
        std::sort(fields.begin(), fields.end());
        for (auto& field : fields)
            index.fields.push_back(field.second);
    }
    return db.cache_->indexes.emplace(table, std::move(result)).first->second;
}

sqlite3* DatabaseAccess::handle(const Database& db) { return db.handle_; }

const Statement& DatabaseAccess::cachedStatement(Database& db, const std::string& sql) {
    if (!db.handle_) throw DbError(EngineFailure, "データファイルが閉じられています。");
    auto found = db.cache_->statements.find(sql);
    if (found == db.cache_->statements.end()) {
        Statement statement(db.handle_, sql);
        if (db.cache_->statements.size() >= StatementCacheLimit) db.cache_->statements.clear();
        found = db.cache_->statements.emplace(sql, std::move(statement)).first;
    }
    found->second.reset();
    return found->second;
}

} // namespace db
