// One field value as it travels between a recordset and its callers.
#pragma once

#include "platform/db/currency.h"

#include <cstdint>
#include <string>
#include <variant>

namespace db {

// The column types a data file knows; text(n) carries its width in the column description.
enum class FieldType { Int16, Int32, Currency, Single, Text, Other };

class Value {
public:
    Value() = default; // null
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(std::int64_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(Currency v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isCurrency() const { return std::holds_alternative<Currency>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }

    // Conversions read a null as zero or as an empty text, the way a reader expects a field without a value.
    std::int64_t asInt() const;
    double asDouble() const;
    Currency asCurrency() const;
    std::string asText() const;
    // The text held, without a copy; nullptr when the value is no text.
    const std::string* textIf() const { return std::get_if<std::string>(&v_); }

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, Currency, std::string> v_;
};

} // namespace db
