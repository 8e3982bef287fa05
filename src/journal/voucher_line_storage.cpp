#include "journal/voucher_line_storage.h"

#include "data/control_row.h"
#include "data/field_values.h"
#include "data/keyed_access.h"

#include <algorithm>
#include <vector>

namespace journal {

namespace {

constexpr std::int16_t Done = 0;
constexpr std::int16_t Missing = 9;
constexpr std::int16_t LineExists = 1;
constexpr std::int16_t LineIsNew = 3;

std::vector<db::Value> keyValues(const VoucherKey& key) {
    return {data::toValue(key.VoucherDate), data::toValue(key.VoucherNo), data::toValue(key.LineNo)};
}

// Seek "=" on the key; true when the recordset now stands on the line.
bool seekLine(db::TableRecordset& table, const VoucherKey& key) {
    if (table.empty()) return false;
    table.seek("=", keyValues(key));
    return !table.noMatch();
}

} // namespace

void BlankLine(data::ProgramState& s, const VoucherKey& key) {
    data::F45Rec& r = s.F45Record;
    r.F45_YMD = key.VoucherDate;
    r.F45_DNO = key.VoucherNo;
    r.F45_LIN = key.LineNo;
    r.F45_KBN = 0;
    r.F45_ACT = 0;
    r.F45_SRT = 0;
    r.F45_KND = 0;
    r.F45_CUS = 0;
    r.F45_TEK = "000000";
    r.F45_RMK = "";
    r.F45_DUM = "";
    r.F45_IO = 0;
    r.F45_AMT = db::Currency();
}

void WriteLineFields(data::ProgramState& s, const VoucherKey& key) {
    db::TableRecordset& t = *s.F45Table;
    const data::F45Rec& r = s.F45Record;
    t.setField("F45_YMD", data::toValue(key.VoucherDate));
    t.setField("F45_DNO", data::toValue(key.VoucherNo));
    t.setField("F45_LIN", data::toValue(key.LineNo));
    t.setField("F45_KBN", data::toValue(r.F45_KBN));
    t.setField("F45_ACT", data::toValue(r.F45_ACT));
    t.setField("F45_SRT", data::toValue(r.F45_SRT));
    t.setField("F45_KND", data::toValue(r.F45_KND));
    t.setField("F45_CUS", data::toValue(r.F45_CUS));
    t.setField("F45_TEK", data::toValue(r.F45_TEK));
    t.setField("F45_RMK", data::toValue(r.F45_RMK));
    t.setField("F45_IO", data::toValue(r.F45_IO));
    t.setField("F45_AMT", data::toValue(r.F45_AMT));
    t.setField("F45_DUM", data::toValue(r.F45_DUM));
}

void VoucherLineIO(data::ProgramState& s, const VoucherKey& key, const std::string& mode, std::int16_t& status,
                   std::int16_t& recordState) {
    status = Done;
    db::TableRecordset& table = *s.F45Table;
    if (mode == "GET") {
        s.F45Record.F45_YMD = key.VoucherDate;
        s.F45Record.F45_DNO = key.VoucherNo;
        s.F45Record.F45_LIN = key.LineNo;
        std::int16_t found = Done;
        data::F45Access(s, "GET", found);
        if (found != Done) {
            recordState = LineIsNew;
            BlankLine(s, key);
        } else {
            recordState = LineExists;
        }
    } else if (mode == "PUT") {
        if (seekLine(table, key)) {
            table.edit();
        } else {
            table.addNew();
        }
        WriteLineFields(s, key);
        table.update();
        table.setBookmark(table.lastModified());
    } else if (mode == "DEL") {
        if (!seekLine(table, key)) {
            status = Missing;
            return;
        }
        table.deleteCurrent();
        table.moveNext();
    }
}

std::int16_t NextFreeLine(data::ProgramState& s, const VoucherKey& key) {
    db::TableRecordset& table = *s.F45Table;
    if (table.empty()) return FirstLineNo;
    std::optional<db::Bookmark> stoodOn;
    if (!table.bof() && !table.eof() && table.hasCurrent()) stoodOn = table.bookmark();
    table.seek("<=", {data::toValue(key.VoucherDate), data::toValue(key.VoucherNo), data::toValue(LastLineNo)});
    if (table.noMatch()) {
        if (stoodOn) table.setBookmark(*stoodOn);
        return FirstLineNo;
    }
    const bool sameVoucher =
        table.field("F45_YMD").asInt() == key.VoucherDate && table.field("F45_DNO").asInt() == key.VoucherNo;
    if (!sameVoucher) return FirstLineNo;
    const std::int64_t next = table.field("F45_LIN").asInt() + 1;
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(next, FirstLineNo, LastLineNo));
}

std::optional<std::int16_t> SteppedLine(std::int16_t lineNo, int step) {
    if (step > 0 && lineNo < LastLineNo) return static_cast<std::int16_t>(lineNo + 1);
    if (step < 0 && lineNo >= FirstLineNo + 1) return static_cast<std::int16_t>(lineNo - 1);
    return std::nullopt;
}

void RaiseVoucherNumber(data::ProgramState& s, std::int32_t voucherNo) {
    if (voucherNo <= s.F01Record.F01_DNO) return;
    s.F01Record.F01_DNO = voucherNo;
    std::int16_t status = Done;
    // A missing control row has told the user already; the line itself is saved.
    data::F01Access(s, "PUT", status);
}

void RegisterLine(data::ProgramState& s, const VoucherKey& key) {
    db::Database& database = *s.MainDatabase;
    const std::int32_t highest = s.F01Record.F01_DNO;
    database.beginTrans();
    try {
        std::int16_t status = Done;
        std::int16_t recordState = 0;
        VoucherLineIO(s, key, "PUT", status, recordState);
        RaiseVoucherNumber(s, key.VoucherNo);
        database.commitTrans();
    } catch (const db::DbError&) {
        s.F01Record.F01_DNO = highest;
        if (database.inTransaction()) {
            try {
                database.rollback();
            } catch (const db::DbError&) {
                // The first failure is the one the user needs to hear about.
            }
        }
        throw;
    }
}

} // namespace journal
