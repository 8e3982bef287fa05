// Character counting for UTF-8 texts: field widths are counted in characters, not bytes.
#pragma once

#include <cstddef>
#include <string>

namespace common {

inline bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

inline std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (char c : text)
        if (!isContinuationByte(c)) ++count;
    return count;
}

// The last `count` characters of `text` (all of it when it is shorter).
inline std::string lastCharacters(const std::string& text, std::size_t count) {
    if (count == 0) return {};
    std::size_t pos = text.size();
    std::size_t taken = 0;
    while (pos > 0) {
        --pos;
        if (!isContinuationByte(text[pos]) && ++taken == count) break;
    }
    return text.substr(pos);
}

} // namespace common
