// Conversions between a field's value and a record buffer member, one overload per member type,
// so that one list of (field, member) pairs serves both reading and writing a row.
// A field without a value (Null) reads as 0 or as an empty text.
#pragma once

#include "data/fixed_text.h"
#include "platform/db/value.h"

#include <cstdint>
#include <string>

namespace data {

inline void assignValue(std::int16_t& member, const db::Value& value) {
    member = static_cast<std::int16_t>(value.asInt());
}
inline void assignValue(std::int32_t& member, const db::Value& value) {
    member = static_cast<std::int32_t>(value.asInt());
}
inline void assignValue(db::Currency& member, const db::Value& value) { member = value.asCurrency(); }
inline void assignValue(float& member, const db::Value& value) { member = static_cast<float>(value.asDouble()); }
inline void assignValue(FixedText& member, const db::Value& value) { member = value.asText(); }

inline db::Value toValue(std::int16_t member) { return db::Value(static_cast<int>(member)); }
inline db::Value toValue(std::int32_t member) { return db::Value(static_cast<int>(member)); }
inline db::Value toValue(db::Currency member) { return db::Value(member); }
inline db::Value toValue(float member) { return db::Value(static_cast<double>(member)); }
// Texts go out at their full width, trailing blanks included.
inline db::Value toValue(const FixedText& member) { return db::Value(member.str()); }

// "F01_NENG_" and 3 give "F01_NENG_03": the two-digit suffix of the numbered fields.
inline std::string numberedField(const std::string& prefix, int number) {
    return prefix + (number < 10 ? "0" : "") + std::to_string(number);
}

} // namespace data
