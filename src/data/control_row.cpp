#include "data/control_row.h"

#include "data/field_values.h"
#include "platform/db/db_error.h"

#include <utility>

namespace data {

namespace {

// Every field of the control row with its member, in the order the row is written.
template <class Record, class Visit> void visitF01Fields(Record& r, Visit&& visit) {
    visit("F01_NO", r.F01_NO);
    visit("F01_TDY", r.F01_TDY);
    visit("F01_ACT", r.F01_ACT);
    visit("F01_SIM", r.F01_SIM);
    visit("F01_STMM", r.F01_STMM);
    visit("F01_UPD", r.F01_UPD);
    visit("F01_TAX1", r.F01_TAX1);
    visit("F01_TAX2", r.F01_TAX2);
    visit("F01_TYMD", r.F01_TYMD);
    visit("F01_DNO", r.F01_DNO);
    for (int i = 1; i <= 5; ++i)
        visit(numberedField("F01_NENG_", i), r.F01_NENG[i]);
    for (int i = 1; i <= 5; ++i)
        visit(numberedField("F01_STYMD_", i), r.F01_STYMD[i]);
    visit("F01_NAM_01", r.F01_NAM[1]);
    visit("F01_NAM_02", r.F01_NAM[2]);
    visit("F01_PST", r.F01_PST);
    visit("F01_ADR_01", r.F01_ADR[1]);
    visit("F01_ADR_02", r.F01_ADR[2]);
    visit("F01_TEL", r.F01_TEL);
    visit("F01_FAX", r.F01_FAX);
    visit("F01_BNK_01", r.F01_BNK[1]);
    visit("F01_BNK_02", r.F01_BNK[2]);
    visit("F01_DUM", r.F01_DUM);
}

void addDefaultRow(db::TableRecordset& table, std::int32_t today) {
    static const char* const eraNames[] = {"明治", "大正", "昭和", "平成", ""};
    static const int eraFirstDays[] = {18681031, 19120801, 19261227, 19890109, 0};
    table.addNew();
    table.setField("F01_NO", 1);
    table.setField("F01_TDY", today);
    table.setField("F01_ACT", today);
    table.setField("F01_SIM", 99);
    table.setField("F01_STMM", 1);
    for (const char* field : {"F01_UPD", "F01_TAX1", "F01_TAX2", "F01_TYMD", "F01_DNO"})
        table.setField(field, 0);
    for (int i = 1; i <= 5; ++i)
        table.setField(numberedField("F01_NENG_", i), eraNames[i - 1]);
    for (int i = 1; i <= 5; ++i)
        table.setField(numberedField("F01_STYMD_", i), eraFirstDays[i - 1]);
    for (const char* field : {"F01_NAM_01", "F01_NAM_02", "F01_PST", "F01_ADR_01", "F01_ADR_02", "F01_TEL", "F01_FAX",
                              "F01_BNK_01", "F01_BNK_02", "F01_DUM"})
        table.setField(field, "");
    table.update();
}

bool seekControlRow(db::TableRecordset& table) {
    table.seek("=", {1});
    return !table.noMatch();
}

} // namespace

void F01Access(ProgramState& s, const std::string& mode, std::int16_t& status) {
    status = 0;
    auto table = s.MainDatabase->openTable("F01TB");
    table->setIndex("F01KEY");
    if (mode == "GET") {
        if (!seekControlRow(*table)) addDefaultRow(*table, s.today());
        if (!seekControlRow(*table)) {
            s.message(MissingRowMessage);
            status = 9;
            return;
        }
        // A field the program cannot use refuses the whole row, so F01Record is never left half read.
        F01Rec read = s.F01Record;
        visitF01Fields(read, [&](const std::string& field, auto& member) { assignValue(member, table->field(field)); });
        // The month figures are indexed from the first month, so a file with no such month cannot be used.
        if (read.F01_STMM < 1 || read.F01_STMM > 12)
            throw db::DbError(db::ValueOutOfRange,
                              "テーブル F01TB のフィールド F01_STMM の値 " + std::to_string(read.F01_STMM) +
                                  " がフィールドの範囲を超えています。このデータファイルの値は使えません。");
        s.F01Record = read;
    } else if (mode == "PUT") {
        if (!seekControlRow(*table)) {
            s.message(MissingRowMessage);
            status = 9;
            return;
        }
        table->edit();
        visitF01Fields(std::as_const(s.F01Record),
                       [&](const std::string& field, const auto& member) { table->setField(field, toValue(member)); });
        table->update();
    }
}

std::int16_t FiscalMonth(int month, int firstMonth) {
    // The modulo keeps the month inside 1 to 12 even for a first month the control row should never hold.
    return static_cast<std::int16_t>(((month - firstMonth) % 12 + 12) % 12 + 1);
}

} // namespace data
