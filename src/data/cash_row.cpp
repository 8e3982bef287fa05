#include "data/cash_row.h"

#include "data/control_row.h"
#include "data/field_values.h"

#include <array>
#include <optional>

namespace data {

namespace {

constexpr std::size_t SlotWidth = 10;
constexpr std::size_t TextWidth = SlotWidth * 12;

const char* const monthTextFields[] = {"", "F46_GAMT1", "F46_GAMT2", "F46_GAMT3"};
const char* const kindNames[] = {"", "入金", "出金", "残高"};

using MonthAmounts = std::array<std::array<db::Currency, 13>, 4>;

// "0000001500" for 1500, "-000000020" for -20: ten characters for every amount in range.
std::string slotText(std::int64_t amount) {
    std::string digits = std::to_string(amount < 0 ? -amount : amount);
    const std::size_t width = amount < 0 ? SlotWidth - 1 : SlotWidth;
    digits.insert(0, width - digits.size(), '0');
    if (amount < 0) digits.insert(digits.begin(), '-');
    return digits;
}

// A slot is ten digits, or a minus sign and nine digits, and must fit a 32-bit integer.
std::optional<std::int64_t> slotValue(const std::string& slot) {
    const bool negative = slot[0] == '-';
    std::int64_t value = 0;
    for (std::size_t i = negative ? 1 : 0; i < slot.size(); ++i) {
        if (slot[i] < '0' || slot[i] > '9') return std::nullopt;
        value = value * 10 + (slot[i] - '0');
    }
    if (value > HighestMonthAmount) return std::nullopt;
    return negative ? -value : value;
}

bool unpackMonths(const std::string& text, std::array<db::Currency, 13>& months) {
    if (text.size() != TextWidth) return false;
    for (int m = 1; m <= 12; ++m) {
        const auto value = slotValue(text.substr((m - 1) * SlotWidth, SlotWidth));
        if (!value) return false;
        months[m] = db::Currency::fromWhole(*value);
    }
    return true;
}

std::string amountText(std::int64_t amount) {
    std::string digits = std::to_string(amount < 0 ? -amount : amount);
    std::string text = amount < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

// Packs every month amount, rounded to a whole number; tells the user of the first one out of range.
bool packMonths(ProgramState& s, const MonthAmounts& amounts, std::array<std::string, 4>& texts) {
    for (int k = 1; k <= 3; ++k)
        texts[k].clear();
    for (int m = 1; m <= 12; ++m) {
        for (int k = 1; k <= 3; ++k) {
            const std::int64_t amount = amounts[k][m].roundedWhole();
            if (amount < LowestMonthAmount || amount > HighestMonthAmount) {
                s.message("第" + std::to_string(m) + "月の" + kindNames[k] + "の金額 " + amountText(amount) +
                          " は記録できる範囲（" + amountText(LowestMonthAmount) + "～" +
                          amountText(HighestMonthAmount) + "）を超えています。現金残高は更新しませんでした。");
                return false;
            }
            texts[k] += slotText(amount);
        }
    }
    return true;
}

void addDefaultRow(db::TableRecordset& table) {
    table.addNew();
    table.setField("F46_RNO", 1);
    table.setField("F46_RM1", db::Currency());
    table.setField("F46_RM2", db::Currency());
    for (int k = 1; k <= 3; ++k)
        table.setField(monthTextFields[k], std::string(TextWidth, '0'));
    table.setField("F46_DUM", "");
    table.update();
}

bool seekCashRow(db::TableRecordset& table) {
    table.seek("=", {1});
    return !table.noMatch();
}

std::int16_t getCashRow(ProgramState& s, db::TableRecordset& table) {
    if (!seekCashRow(table)) addDefaultRow(table);
    if (!seekCashRow(table)) {
        s.message(MissingRowMessage);
        return 9;
    }
    // Unpack first, so that a damaged row leaves the whole buffer as it was.
    std::array<std::string, 4> texts;
    MonthAmounts amounts{};
    for (int k = 1; k <= 3; ++k) {
        texts[k] = table.field(monthTextFields[k]).asText();
        if (!unpackMonths(texts[k], amounts[k])) {
            s.message(std::string("現金残高の") + kindNames[k] +
                      "の月別金額が読み取れません（12か月分の数字ではありません）。現金残高テーブルを確認して下さい。");
            return 9;
        }
    }
    auto& r = s.F46Record;
    assignValue(r.F46_RNO, table.field("F46_RNO"));
    assignValue(r.F46_RM1, table.field("F46_RM1"));
    assignValue(r.F46_RM2, table.field("F46_RM2"));
    r.F46_GAMT1 = texts[1];
    r.F46_GAMT2 = texts[2];
    r.F46_GAMT3 = texts[3];
    for (int k = 1; k <= 3; ++k)
        for (int m = 1; m <= 12; ++m)
            r.Amt[k][m] = amounts[k][m];
    assignValue(r.F46_DUM, table.field("F46_DUM"));
    return 0;
}

std::int16_t putCashRow(ProgramState& s, db::TableRecordset& table) {
    if (!seekCashRow(table)) {
        s.message(MissingRowMessage);
        return 9;
    }
    const auto& r = s.F46Record;
    std::array<std::string, 4> texts;
    if (!packMonths(s, r.Amt, texts)) return 9;
    table.edit();
    table.setField("F46_RNO", toValue(r.F46_RNO));
    table.setField("F46_RM1", toValue(r.F46_RM1));
    table.setField("F46_RM2", toValue(r.F46_RM2));
    for (int k = 1; k <= 3; ++k)
        table.setField(monthTextFields[k], texts[k]);
    table.setField("F46_DUM", toValue(r.F46_DUM));
    table.update();
    return 0;
}

} // namespace

void F46Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    status = 0;
    auto table = s.MainDatabase->openTable("F46TB");
    table->setIndex("F46IX");
    if (mode == "GET") {
        status = getCashRow(s, *table);
    } else if (mode == "PUT") {
        status = putCashRow(s, *table);
    }
}

} // namespace data
