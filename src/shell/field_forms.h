// The texts an entry window's fields show: data-layer texts, edit forms and display forms.
#pragma once

#include "common/formats.h"

#include <QString>

#include <cstdint>
#include <string>

namespace shell {

// The patterns most fields show their numbers in: a code or a count, and an amount with separators.
inline constexpr char CodePattern[] = "#####0";
inline constexpr char AmountPattern[] = "###,###,###,##0";

// A text of the data layer as the window shows it.
inline QString q(const std::string& text) { return QString::fromStdString(text); }
inline QString q(const char* text) { return QString::fromUtf8(text); }

// A number in a field's edit form: laid out by `pattern`, without separators.
inline QString editForm(const std::string& number, const char* pattern) {
    return q(common::FormatNumber(number, pattern));
}
inline QString editForm(std::int64_t value, const char* pattern) { return editForm(std::to_string(value), pattern); }

// A value in a field's display form: FormatFix with `pattern`.
template <class Value> QString displayForm(const Value& value, const std::string& pattern) {
    return q(common::FormatFix(value, pattern));
}

} // namespace shell
