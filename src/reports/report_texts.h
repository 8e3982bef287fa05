// Messages and text placement shared by the report modules.
#pragma once

#include "platform/print/page.h"
#include "reports/page_machinery.h"

#include <cstdint>
#include <string>

namespace reports {

inline constexpr const char* TooManyDigitsMessage = "規定の桁数を超えました。";
inline constexpr const char* NotDigitsMessage = "入力結果が数字ではありません。";
inline constexpr const char* BadDateMessage = "日付の誤りです。再度、入力して下さい。";
inline constexpr const char* NoDataMessage = "印刷するデータがありません。";

// A field's text without the blanks that pad it on the right.
inline std::string Unpadded(const std::string& text) { return text.substr(0, text.find_last_not_of(' ') + 1); }

// Prints a field's text without the blanks that pad it on the right; a blank field prints nothing,
// which leaves the sheet as it would have been. A text wider than its column is set narrower to fit it.
inline void PrintText(const data::ProgramState& s, platform::Page& page, std::int16_t col, std::int16_t row,
                      std::int16_t size, const std::string& text) {
    if (const std::string shown = Unpadded(text); !shown.empty()) PrintAt(s, page, col, row, size, shown);
}

} // namespace reports
