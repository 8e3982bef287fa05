#include "platform/db/sqlite_support.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace db {

void throwSqlite(sqlite3* handle, int code, const std::string& context) {
    const int extended = handle ? sqlite3_extended_errcode(handle) : code;
    const std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
    logEngineDetail("SQLite " + std::to_string(extended) + ": " + message + (context.empty() ? "" : " in: " + context));
    if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw DbError(DuplicateKey, "インデックスのキーが重複するため、変更できませんでした。");
    switch (code & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw DbError(NotADataFile, "データファイルとして読めません。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw DbError(EngineFailure, "データファイルを他のプログラムが使用中です。");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw DbError(EngineFailure, "データファイルに書き込めません。");
    case SQLITE_FULL:
        throw DbError(EngineFailure, "ディスクの空き容量が足りないため、データファイルに書き込めません。");
    case SQLITE_IOERR:
        throw DbError(EngineFailure, "データファイルの読み書きに失敗しました。");
    case SQLITE_CANTOPEN:
        throw DbError(EngineFailure, "データファイルを開けません。");
    case SQLITE_CONSTRAINT:
        throw DbError(EngineFailure, "値がテーブルの制約に合わないため、変更できませんでした。");
    default:
        throw DbError(EngineFailure, "データファイルの操作に失敗しました。");
    }
}

void logEngineDetail(const std::string& detail) { std::cerr << "Kemlora: " << detail << std::endl; }

void throwNoCurrentRecord() { throw DbError(NoCurrentRecord, "カレント レコードがありません。"); }

Statement::Statement(sqlite3* handle, const std::string& sql) {
    if (!handle) throw DbError(EngineFailure, "データファイルが閉じられています。");
    const int code = sqlite3_prepare_v2(handle, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throwSqlite(handle, code, sql);
    }
    if (!stmt_) throw DbError(EngineFailure, "空の問い合わせです。");
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Statement::bind(int position, const Value& value) const {
    int code = SQLITE_OK;
    if (value.isNull()) {
        code = sqlite3_bind_null(stmt_, position);
    } else if (value.isText()) {
        const std::string text = value.asText();
        code = sqlite3_bind_text(stmt_, position, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    } else if (value.isCurrency()) {
        code = sqlite3_bind_int64(stmt_, position, value.asCurrency().raw());
    } else if (value.isDouble()) {
        code = sqlite3_bind_double(stmt_, position, value.asDouble());
    } else {
        code = sqlite3_bind_int64(stmt_, position, value.asInt());
    }
    if (code != SQLITE_OK) throwSqlite(sqlite3_db_handle(stmt_), code, sqlite3_sql(stmt_));
}

void Statement::bindAll(const std::vector<Value>& values, int first) const {
    for (std::size_t i = 0; i < values.size(); ++i)
        bind(first + static_cast<int>(i), values[i]);
}

bool Statement::step() const {
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    throwSqlite(sqlite3_db_handle(stmt_), code, sqlite3_sql(stmt_));
}

namespace {

std::string upper(std::string text) {
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::int64_t limitFor(FieldType type, bool high) {
    if (type == FieldType::Int16) return high ? INT16_MAX : INT16_MIN;
    return high ? INT32_MAX : INT32_MIN;
}

} // namespace

ColumnInfo describeColumn(const std::string& name, const char* declaredType) {
    ColumnInfo info;
    info.name = name;
    const std::string type = upper(declaredType ? declaredType : "");
    if (type == "INT16") {
        info.type = FieldType::Int16;
    } else if (type == "INT32") {
        info.type = FieldType::Int32;
    } else if (type == "CURRENCY") {
        info.type = FieldType::Currency;
    } else if (type == "SINGLE") {
        info.type = FieldType::Single;
    } else if (type.rfind("TEXT", 0) == 0) {
        info.type = FieldType::Text;
        const auto open = type.find('(');
        if (open != std::string::npos) info.width = std::atoi(type.c_str() + open + 1);
    }
    return info;
}

namespace {

// 2^63: the first magnitude a 64-bit integer cannot hold, exact as a double.
constexpr double IntegerLimit = 9223372036854775808.0;

bool fitsInteger(double value) { return value >= -IntegerLimit && value < IntegerLimit; }

} // namespace

Value readColumn(sqlite3_stmt* stmt, int column, FieldType type) {
    const int stored = sqlite3_column_type(stmt, column);
    if (stored == SQLITE_NULL) return {};
    switch (type) {
    case FieldType::Int16:
    case FieldType::Int32:
        if (stored == SQLITE_INTEGER) return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
        if (stored == SQLITE_FLOAT) {
            const double number = std::round(sqlite3_column_double(stmt, column));
            // Beyond every integer it stays a double, which the field check refuses.
            return fitsInteger(number) ? Value(static_cast<std::int64_t>(number)) : Value(number);
        }
        break; // a text or blob stays a text, which the field check refuses
    case FieldType::Currency:
        if (stored == SQLITE_INTEGER) return Value(Currency::fromRaw(sqlite3_column_int64(stmt, column)));
        if (stored == SQLITE_FLOAT) {
            const double raw = std::round(sqlite3_column_double(stmt, column));
            return fitsInteger(raw) ? Value(Currency::fromRaw(static_cast<std::int64_t>(raw))) : Value(raw);
        }
        break;
    case FieldType::Single:
        if (stored == SQLITE_INTEGER || stored == SQLITE_FLOAT) return Value(sqlite3_column_double(stmt, column));
        break;
    case FieldType::Text:
        break;
    case FieldType::Other:
        if (stored == SQLITE_INTEGER) return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
        if (stored == SQLITE_FLOAT) return Value(sqlite3_column_double(stmt, column));
        break;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return Value(std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column))));
}

const Value& checkedValue(const std::string& table, const ColumnInfo& column, const Value& value) {
    if (value.isNull()) return value;
    const auto refuse = [&](const std::string& what) {
        const std::string place =
            table.empty() ? "フィールド " + column.name : "テーブル " + table + " のフィールド " + column.name;
        throw DbError(ValueOutOfRange, place + what + "このデータファイルの値は使えません。");
    };
    switch (column.type) {
    case FieldType::Int16:
    case FieldType::Int32: {
        if (value.isText()) refuse(" に数値でない値があります。");
        if (!value.isInteger()) refuse(" の値が整数の範囲を超えています。");
        const std::int64_t number = value.asInt();
        if (number < limitFor(column.type, false) || number > limitFor(column.type, true))
            refuse(" の値 " + std::to_string(number) + " がフィールドの範囲を超えています。");
        break;
    }
    case FieldType::Currency:
        if (value.isText()) refuse(" に数値でない値があります。");
        if (!value.isCurrency()) refuse(" の金額が扱える範囲を超えています。");
        break;
    case FieldType::Single:
        if (value.isText()) refuse(" に数値でない値があります。");
        break;
    case FieldType::Text: {
        const std::string* text = value.textIf();
        const auto width = static_cast<std::size_t>(column.width);
        // A text of no more bytes than the width has no more characters either, and is not counted.
        if (column.width > 0 && text && text->size() > width && characterCount(*text) > width)
            refuse(" の文字列が " + std::to_string(column.width) + " 文字を超えています。");
        break;
    }
    case FieldType::Other:
        break;
    }
    return value;
}

Value storableValue(const ColumnInfo& column, const Value& value) {
    switch (column.type) {
    case FieldType::Int16:
    case FieldType::Int32: {
        if (!value.isText() && !value.isNull() && !value.isCurrency() && std::isnan(value.asDouble()))
            throw DbError(ValueOutOfRange, "フィールド " + column.name + " に数値でない値は入りません。");
        const std::int64_t number = value.asInt();
        if (number < limitFor(column.type, false) || number > limitFor(column.type, true))
            throw DbError(ValueOutOfRange,
                          "フィールド " + column.name + " の値 " + std::to_string(number) + " が範囲を超えています。");
        return Value(number);
    }
    case FieldType::Currency:
        return Value(value.asCurrency());
    case FieldType::Single:
        return Value(static_cast<double>(static_cast<float>(value.asDouble())));
    case FieldType::Text: {
        std::string text = value.asText();
        if (column.width > 0 && characterCount(text) > static_cast<std::size_t>(column.width))
            text = firstCharacters(text, static_cast<std::size_t>(column.width));
        return Value(std::move(text));
    }
    case FieldType::Other:
        break;
    }
    return value;
}

Value comparableValue(const ColumnInfo& column, const Value& value) {
    switch (column.type) {
    case FieldType::Int16:
    case FieldType::Int32:
        return Value(value.asInt());
    case FieldType::Currency:
        return Value(value.asCurrency());
    case FieldType::Single:
        return Value(value.asDouble());
    case FieldType::Text:
        return Value(value.asText());
    case FieldType::Other:
        break;
    }
    return value;
}

Value emptyValue(const ColumnInfo& column) {
    switch (column.type) {
    case FieldType::Int16:
    case FieldType::Int32:
        return Value(std::int64_t{0});
    case FieldType::Currency:
        return Value(Currency());
    case FieldType::Single:
        return Value(0.0);
    case FieldType::Text:
        return Value(std::string());
    case FieldType::Other:
        break;
    }
    return {};
}

std::string quoteName(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

// ASCII only, whatever the locale: names in a data file are compared the same on every machine.
char foldedLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string folded(std::string text) {
    for (auto& c : text)
        c = foldedLetter(c);
    return text;
}

// Field names of one table differ in their last characters (F21_AMT_01, F21_AMT_02), so the length and
// the last eight bytes hashed with one multiplication spread them well enough, and cost next to nothing.
std::size_t nameHash(const std::string& name) {
    std::uint64_t tail = 0;
    if (name.size() >= sizeof tail)
        std::memcpy(&tail, name.data() + name.size() - sizeof tail, sizeof tail);
    else
        for (const char c : name)
            tail = (tail << 8) | static_cast<unsigned char>(c);
    return static_cast<std::size_t>(((tail ^ name.size()) * 0x9E3779B97F4A7C15ull) >> 32);
}

} // namespace

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldedLetter(a[i]) != foldedLetter(b[i])) return false;
    return true;
}

ColumnNames::ColumnNames(const std::vector<ColumnInfo>& columns) {
    std::size_t size = 8;
    while (size < columns.size() * 2)
        size *= 2;
    exact_.resize(size);
    folded_.resize(size);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string foldedName = folded(columns[i].name);
        insert(folded_, foldedName, static_cast<int>(i));
        // An exact spelling finds what the letters without case find: the first column of the name.
        insert(exact_, columns[i].name, lookUp(folded_, foldedName));
    }
}

void ColumnNames::insert(std::vector<Slot>& slots, const std::string& name, int column) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = nameHash(name) & mask;; i = (i + 1) & mask) {
        if (slots[i].column < 0) {
            slots[i] = {name, column};
            return;
        }
        if (slots[i].name == name) return; // the first column of a name stays
    }
}

int ColumnNames::lookUp(const std::vector<Slot>& slots, const std::string& name) {
    if (slots.empty()) return -1;
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = nameHash(name) & mask;; i = (i + 1) & mask) {
        if (slots[i].column < 0) return -1;
        if (slots[i].name == name) return slots[i].column;
    }
}

int ColumnNames::find(const std::string& name) const {
    const int column = lookUp(exact_, name);
    return column >= 0 ? column : lookUp(folded_, folded(name));
}

} // namespace db
