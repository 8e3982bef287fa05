// Keyed reads of the long-lived tables: the caller puts the key into the table's record buffer,
// calls the reader with a mode, and uses the buffer only when the status is 0 (9: not found or
// the table is empty). Mode texts are exact, letter case included; any other text does nothing
// and returns 0. A read moves the shared table recordset, and with it every grid bound to it.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace data {

// "GET" by F10KBN_ID: fills NAME, KETA, LEN, DUM.
void F10KBNAccess(ProgramState& s, const std::string& mode, std::int16_t& status);
// "GET" by F10_KBN, F10_COD: fills DTL and the four remarks; DUM is left alone.
void F10Access(ProgramState& s, const std::string& mode, std::int16_t& status);
// "GET" by all six characters of F18_COD, trailing blanks included: fills every member.
void F18Access(ProgramState& s, const std::string& mode, std::int16_t& status);
// By F21_KBN, F21_ACT, F21_SRT:
//   "GET"  fills every member;
//   "LOOK" fills only NAM, IO, CSH, from the detail or else from the subject itself (SRT 0);
//          on a miss NAM becomes blanks and IO, CSH 0;
//   "TOP"  leaves the recordset on the first row whose key is not below the given one, buffer untouched.
void F21Access(ProgramState& s, const std::string& mode, std::int16_t& status);
// "GET" by F45_YMD, F45_DNO, F45_LIN: fills every member but the key.
void F45Access(ProgramState& s, const std::string& mode, std::int16_t& status);
// "GET" by F28_KBN, F28_ACT, F28_SEQ: fills every member.
void F28Access(ProgramState& s, const std::string& mode, std::int16_t& status);

// The key put into the record buffer, then the read; its status.
std::int16_t F10AccessByKey(ProgramState& s, const std::string& mode, std::int16_t kbn, std::int32_t cod);
std::int16_t F21AccessByKey(ProgramState& s, const std::string& mode, std::int16_t kbn, std::int32_t act,
                            std::int32_t srt);

// The first step of storing a record: the table edits its row with `key`, or adds a new row when it has none.
void EditOrAddNew(db::TableRecordset& table, const std::vector<db::Value>& key);

// The whole current row of a query that selects every field of its table, as the keyed reads take a row.
void ReadRow(F21Rec& record, const db::QueryRecordset& row);
void ReadRow(F28Rec& record, const db::QueryRecordset& row);

} // namespace data
