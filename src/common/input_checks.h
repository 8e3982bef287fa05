// Checks of typed text. Each reports 0 (passes) or 9 (fails) and leaves the message to the caller.
#pragma once

#include "platform/db/currency.h"

#include <cstdint>
#include <optional>
#include <string>

namespace common {

// Only the ASCII digits pass; an empty text passes.
void CheckDigits(const std::string& text, std::int16_t& err);

// Digits, "." and "," anywhere, "+" or "-" only as the first or last character; an empty text passes.
void CheckNumeric(const std::string& text, std::int16_t& err);

// Fails when the first field (index 0) holds more than 3 characters.
void GOUKEI_CheckLength(const std::string& text, std::int16_t index, std::int16_t& err);

// Fails when the first field (index 0) holds more than 5 characters.
void PL_CheckLength(const std::string& text, std::int16_t index, std::int16_t& err);

// The amount a typed text stands for: one sign at either end, thousands groups with ",", one decimal
// point, rounded to four decimals. Nothing for texts that CheckNumeric lets through but that are not
// one clear number ("1..2", ",", "+12-", "12,34", "").
std::optional<db::Currency> ParseAmount(const std::string& text);

// The number a text of digits stands for, when it is one and not above `highest` (the largest value of the
// member it goes into); nothing otherwise, so that a number too large for its field is refused, not wrapped.
std::optional<std::int64_t> ParseWholeNumber(const std::string& digits, std::int64_t highest);

} // namespace common
