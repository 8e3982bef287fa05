#include "data/keyed_access.h"

#include "data/field_values.h"

#include <array>
#include <optional>
#include <vector>

namespace data {

namespace {

using db::TableRecordset;
using db::Value;

constexpr std::int16_t Found = 0;
constexpr std::int16_t NotFound = 9;

// The row the recordset stands on, if any, so that a miss can put it back there.
std::optional<db::Bookmark> currentPlace(const TableRecordset& table) {
    if (table.bof() || table.eof() || !table.hasCurrent()) return std::nullopt;
    return table.bookmark();
}

void returnTo(TableRecordset& table, const std::optional<db::Bookmark>& place) {
    if (place) table.setBookmark(*place);
}

// The seek every reader shares: an empty table is a miss that touches nothing; any other miss
// puts the recordset back where it stood; a hit leaves it on the found row.
std::int16_t seekKeepingPlace(TableRecordset& table, const std::string& comparison, const std::vector<Value>& key) {
    if (table.empty()) return NotFound;
    const auto place = currentPlace(table);
    table.seek(comparison, key);
    if (table.noMatch()) {
        returnTo(table, place);
        return NotFound;
    }
    return Found;
}

// A table row or a query row alike.
template <class Row, class Member> void read(const Row& row, const std::string& field, Member& member) {
    assignValue(member, row.field(field));
}

template <class Record, class Copy>
void getByKey(TableRecordset& table, Record& record, const std::string& mode, std::int16_t& status,
              const std::vector<Value>& key, Copy copy) {
    status = Found;
    if (mode != "GET") return;
    status = seekKeepingPlace(table, "=", key);
    if (status != Found) return;
    // A field the program cannot use refuses the whole row, so the buffer is never left half read.
    Record read = record;
    copy(read, table);
    record = read;
}

const std::array<std::string, 13>& monthFields() {
    static const std::array<std::string, 13> names = [] {
        std::array<std::string, 13> result;
        for (int m = 1; m <= 12; ++m)
            result[m] = numberedField("F21_AMT_", m);
        return result;
    }();
    return names;
}

void copyF10KBN(F10KBNRec& r, const TableRecordset& t) {
    read(t, "F10KBN_NAME", r.F10KBN_NAME);
    read(t, "F10KBN_KETA", r.F10KBN_KETA);
    read(t, "F10KBN_LEN", r.F10KBN_LEN);
    read(t, "F10KBN_DUM", r.F10KBN_DUM);
}

void copyF10(F10Rec& r, const TableRecordset& t) {
    read(t, "F10_DTL", r.F10_DTL);
    read(t, "F10_CNV1", r.F10_CNV[1]);
    read(t, "F10_CNV2", r.F10_CNV[2]);
    read(t, "F10_CNV3", r.F10_CNV[3]);
    read(t, "F10_CNV4", r.F10_CNV[4]);
}

void copyF18(F18Rec& r, const TableRecordset& t) {
    read(t, "F18_COD", r.F18_COD);
    read(t, "F18_DSC", r.F18_DSC);
    read(t, "F18_KBN", r.F18_KBN);
    read(t, "F18_ACT", r.F18_ACT);
    read(t, "F18_SRT", r.F18_SRT);
    read(t, "F18_KND", r.F18_KND);
    read(t, "F18_CUS", r.F18_CUS);
    read(t, "F18_RMK", r.F18_RMK);
    read(t, "F18_IO", r.F18_IO);
    read(t, "F18_AMT", r.F18_AMT);
    read(t, "F18_DUM", r.F18_DUM);
}

template <class Row> void copyF21(F21Rec& r, const Row& t) {
    read(t, "F21_KBN", r.F21_KBN);
    read(t, "F21_ACT", r.F21_ACT);
    read(t, "F21_SRTKBN", r.F21_SRTKBN);
    read(t, "F21_SRT", r.F21_SRT);
    read(t, "F21_NAM", r.F21_NAM);
    read(t, "F21_IO", r.F21_IO);
    read(t, "F21_CSH", r.F21_CSH);
    read(t, "F21_FIL", r.F21_FIL);
    for (int m = 1; m <= 12; ++m)
        read(t, monthFields()[m], r.F21_AMT[m]);
    read(t, "F21_REM", r.F21_REM);
    read(t, "F21_DUM", r.F21_DUM);
}

void copyF45(F45Rec& r, const TableRecordset& t) {
    read(t, "F45_KBN", r.F45_KBN);
    read(t, "F45_ACT", r.F45_ACT);
    read(t, "F45_SRT", r.F45_SRT);
    read(t, "F45_KND", r.F45_KND);
    read(t, "F45_CUS", r.F45_CUS);
    read(t, "F45_TEK", r.F45_TEK);
    read(t, "F45_RMK", r.F45_RMK);
    read(t, "F45_IO", r.F45_IO);
    read(t, "F45_AMT", r.F45_AMT);
    read(t, "F45_DUM", r.F45_DUM);
}

template <class Row> void copyF28(F28Rec& r, const Row& t) {
    read(t, "F28_KBN", r.F28_KBN);
    read(t, "F28_ACT", r.F28_ACT);
    read(t, "F28_SEQ", r.F28_SEQ);
    read(t, "F28_NAM", r.F28_NAM);
    read(t, "F28_DAT", r.F28_DAT);
    read(t, "F28_NEN", r.F28_NEN);
    read(t, "F28_AMT", r.F28_AMT);
    read(t, "F28_PCT", r.F28_PCT);
    read(t, "F28_KND", r.F28_KND);
    read(t, "F28_SHU", r.F28_SHU);
    read(t, "F28_LMT", r.F28_LMT);
    read(t, "F28_DUM", r.F28_DUM);
}

// The name of a subject or its detail, falling back to the subject itself when the detail is missing.
void lookSubjectName(TableRecordset& table, F21Rec& r, std::int16_t& status) {
    std::optional<db::Bookmark> place;
    if (table.empty()) {
        status = NotFound;
    } else {
        place = currentPlace(table);
        table.seek("=", {toValue(r.F21_KBN), toValue(r.F21_ACT), toValue(r.F21_SRT)});
        if (table.noMatch()) {
            if (r.F21_SRT > 0) table.seek("=", {toValue(r.F21_KBN), toValue(r.F21_ACT), Value(0)});
            if (r.F21_SRT <= 0 || table.noMatch()) status = NotFound;
        }
    }
    if (status == Found) {
        read(table, "F21_NAM", r.F21_NAM);
        read(table, "F21_IO", r.F21_IO);
        read(table, "F21_CSH", r.F21_CSH);
        return;
    }
    r.F21_NAM = "";
    r.F21_IO = 0;
    r.F21_CSH = 0;
    returnTo(table, place);
}

} // namespace

void F10KBNAccess(ProgramState& s, const std::string& mode, std::int16_t& status) {
    const auto& r = s.F10KBNRecord;
    getByKey(*s.F10KBNTable, s.F10KBNRecord, mode, status, {toValue(r.F10KBN_ID)}, copyF10KBN);
}

void F10Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    const auto& r = s.F10Record;
    getByKey(*s.F10Table, s.F10Record, mode, status, {toValue(r.F10_KBN), toValue(r.F10_COD)}, copyF10);
}

void F18Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    getByKey(*s.F18Table, s.F18Record, mode, status, {toValue(s.F18Record.F18_COD)}, copyF18);
}

void F21Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    auto& r = s.F21Record;
    status = Found;
    if (mode == "GET") {
        getByKey(*s.F21Table, r, mode, status, {toValue(r.F21_KBN), toValue(r.F21_ACT), toValue(r.F21_SRT)},
                 copyF21<TableRecordset>);
    } else if (mode == "LOOK") {
        lookSubjectName(*s.F21Table, r, status);
    } else if (mode == "TOP") {
        status = seekKeepingPlace(*s.F21Table, ">=", {toValue(r.F21_KBN), toValue(r.F21_ACT), toValue(r.F21_SRT)});
    }
}

void F45Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    const auto& r = s.F45Record;
    getByKey(*s.F45Table, s.F45Record, mode, status, {toValue(r.F45_YMD), toValue(r.F45_DNO), toValue(r.F45_LIN)},
             copyF45);
}

std::int16_t F10AccessByKey(ProgramState& s, const std::string& mode, std::int16_t kbn, std::int32_t cod) {
    s.F10Record.F10_KBN = kbn;
    s.F10Record.F10_COD = cod;
    std::int16_t status = 0;
    F10Access(s, mode, status);
    return status;
}

std::int16_t F21AccessByKey(ProgramState& s, const std::string& mode, std::int16_t kbn, std::int32_t act,
                            std::int32_t srt) {
    s.F21Record.F21_KBN = kbn;
    s.F21Record.F21_ACT = act;
    s.F21Record.F21_SRT = srt;
    std::int16_t status = 0;
    F21Access(s, mode, status);
    return status;
}

void EditOrAddNew(TableRecordset& table, const std::vector<db::Value>& key) {
    if (!table.empty()) {
        table.seek("=", key);
        if (!table.noMatch()) {
            table.edit();
            return;
        }
    }
    table.addNew();
}

void F28Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    const auto& r = s.F28Record;
    getByKey(*s.F28Table, s.F28Record, mode, status, {toValue(r.F28_KBN), toValue(r.F28_ACT), toValue(r.F28_SEQ)},
             copyF28<TableRecordset>);
}

void ReadRow(F21Rec& record, const db::QueryRecordset& row) { copyF21(record, row); }

void ReadRow(F28Rec& record, const db::QueryRecordset& row) { copyF28(record, row); }

} // namespace data
