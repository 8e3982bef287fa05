#include "data/code_categories.h"

#include <cstdint>
#include <cstdlib>

namespace data {

namespace {

constexpr int FirstCategory = 1;
constexpr int LastCategory = 20;

// The rightmost `width` digits of the number, with leading zeros.
std::string zeroFilled(std::int64_t number, std::size_t width) {
    // Negated as unsigned, which the smallest 64-bit number survives.
    const auto magnitude = number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::string digits = std::to_string(magnitude);
    if (digits.size() > width) return digits.substr(digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

} // namespace

void LoadCodeKbnTable(ProgramState& s) {
    auto& table = s.CodeKbnTable;
    table[0] = {"", "区分", "区分名称", "桁", "長さ"};
    for (int r = FirstCategory; r <= LastCategory; ++r)
        table[r] = {"", zeroFilled(r, 2), "", "", ""};

    auto rows = s.MainDatabase->openSnapshot("SELECT * FROM F10KBNTB  ORDER BY F10KBN_ID");
    for (; !rows->eof(); rows->moveNext()) {
        const std::int64_t k = rows->field("F10KBN_ID").asInt();
        if (k < FirstCategory || k > LastCategory) continue;
        table[k][2] = rows->field("F10KBN_NAME").asText();
        table[k][3] = zeroFilled(rows->field("F10KBN_KETA").asInt(), 2);
        table[k][4] = zeroFilled(rows->field("F10KBN_LEN").asInt(), 3);
    }
    rows->close();
}

int CodeDigits(const ProgramState& s, int category) {
    if (category < FirstCategory || category > LastCategory) return 0;
    const std::string& cell = s.CodeKbnTable[category][3];
    return cell.empty() ? 0 : std::atoi(cell.c_str());
}

} // namespace data
