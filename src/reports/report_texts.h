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

// Prints a field's text without the blanks that pad it on the right; a blank field prints nothing,
// which leaves the sheet as it would have been.
inline void PrintText(platform::Page& page, std::int16_t col, std::int16_t row, std::int16_t size,
                      const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string::npos) return;
    PrintAt(page, col, row, size, text.substr(0, end + 1));
}

} // namespace reports
