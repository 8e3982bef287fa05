// The voucher entry window's line storage: reading, writing and deleting the line of a key on the
// shared voucher recordset, the search for a voucher's next free line, line stepping and the raising
// of the highest voucher number. Kept apart from the window so that it runs without one.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace journal {

inline constexpr std::int16_t FirstLineNo = 1;
inline constexpr std::int16_t LastLineNo = 99;

// The line being edited, as the window holds it: date, voucher number and line number.
struct VoucherKey {
    std::int32_t VoucherDate = 0;
    std::int32_t VoucherNo = 0;
    std::int16_t LineNo = 0;
};

// F45Record becomes an empty receipt line of the key, without description ("000000").
void BlankLine(data::ProgramState& s, const VoucherKey& key);

// Fills the copy buffer of F45Table (after addNew or edit): the key from `key`, the rest from F45Record.
void WriteLineFields(data::ProgramState& s, const VoucherKey& key);

// "GET": the line of the key into F45Record (recordState 1), or a blank line when it has none (3).
// "PUT": adds or edits the line of the key from F45Record; F45Table then stands on the written row.
// "DEL": deletes the line of the key and moves to the row after it; status 9 when there is no such line.
// Status starts at 0; any other mode does nothing.
void VoucherLineIO(data::ProgramState& s, const VoucherKey& key, const std::string& mode, std::int16_t& status,
                   std::int16_t& recordState);

// The line after the highest line of the key's voucher, at most 99; 1 for a voucher without lines.
// Gaps left by deleted lines are not reused. F45Table stays on the row found, or where it stood.
std::int16_t NextFreeLine(data::ProgramState& s, const VoucherKey& key);

// The line one step on (+1) or back (-1) from `lineNo` within 1 to 99; nothing at either end.
std::optional<std::int16_t> SteppedLine(std::int16_t lineNo, int step);

// After a registered line: a voucher number above F01_DNO becomes the new F01_DNO and the control
// row is written whole; any other number leaves the control row unwritten.
void RaiseVoucherNumber(data::ProgramState& s, std::int32_t voucherNo);

// Registers a line: "PUT" of the key and the raising of the highest voucher number commit together, so a
// job killed or failed between the two leaves neither. On a failure the transaction is rolled back,
// F01Record keeps its old number and the db::DbError goes on to the caller.
void RegisterLine(data::ProgramState& s, const VoucherKey& key);

} // namespace journal
