// The control row, the one row of F01TB (key 1), read into and written from F01Record whole.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <string>

namespace data {

// Shown when the control row or the cash balance row is missing where it must be.
inline constexpr const char* MissingRowMessage = "予期せぬエラーが発生しました。制御テーブルを確認して下さい。";

// "GET" reads the row into F01Record, first creating the default row (today's date from
// s.today()) when the table has none. "PUT" writes every member of F01Record; it never creates
// the row. Status 0 done, 9 the row is missing (the user has been told). Other modes do nothing.
void F01Access(ProgramState& s, const std::string& mode, std::int16_t& status);

// The fiscal month (1 to 12) of calendar month `month` in a year that begins with month `firstMonth`
// (F01_STMM): the index of the month figures of F21TB and of the cash row.
std::int16_t FiscalMonth(int month, int firstMonth);

} // namespace data
