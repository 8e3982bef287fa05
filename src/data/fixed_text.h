// A text member of a record buffer: always exactly its field's width in characters,
// padded on the right with blanks or cut, as every writer stores it.
#pragma once

#include <cstddef>
#include <string>

namespace data {

class FixedText {
public:
    explicit FixedText(std::size_t width) : width_(width) { assign(""); }
    FixedText& operator=(const std::string& value) {
        assign(value);
        return *this;
    }
    FixedText& operator=(const char* value) {
        assign(value);
        return *this;
    }
    FixedText(const FixedText&) = default;
    FixedText& operator=(const FixedText&) = default;

    const std::string& str() const { return text_; }
    operator const std::string&() const { return text_; }
    std::size_t width() const { return width_; }
    // Without the trailing (and leading) blanks, for showing and comparing.
    std::string trimmed() const;
    bool operator==(const std::string& other) const { return text_ == other; }

private:
    void assign(const std::string& value);
    std::size_t width_;
    std::string text_;
};

// Pads with blanks or cuts to `width` characters (UTF-8 aware).
std::string fitText(const std::string& value, std::size_t width);
// Removes leading and trailing ASCII blanks.
std::string trimText(const std::string& value);

} // namespace data
