#include "data/fixed_text.h"

#include "platform/db/database.h"

namespace data {

std::string fitText(const std::string& value, std::size_t width) {
    const std::size_t count = db::characterCount(value);
    if (count > width) return db::firstCharacters(value, width);
    return value + std::string(width - count, ' ');
}

std::string trimText(const std::string& value) {
    const auto first = value.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = value.find_last_not_of(' ');
    return value.substr(first, last - first + 1);
}

void FixedText::assign(const std::string& value) { text_ = fitText(value, width_); }

std::string FixedText::trimmed() const { return trimText(text_); }

} // namespace data
