#include "masters/subject_records.h"

#include "data/field_values.h"
#include "data/keyed_access.h"
#include "shell/entry_messages.h"

#include <functional>

namespace masters {

namespace {

constexpr char NoBasicSubjectMessage[] = "基本科目ｺｰﾄﾞ（詳細=0 )が登録されていなければ入力できません。";
constexpr char NameOnlyOnBasicMessage[] = "科目名称は基本科目でしか修正できません。";
constexpr char DeleteDetailsQuestion[] = "基本科目ｺｰﾄﾞ（詳細 = 0 )を削除すると "
                                         "含まれるすべての科目コードも削除されます。続行しますか。";
constexpr std::int16_t DetailCategory = 3;

std::int16_t readSubject(data::ProgramState& s, std::int32_t kbn, std::int32_t act, std::int32_t srt) {
    return data::F21AccessByKey(s, "GET", static_cast<std::int16_t>(kbn), act, srt);
}

// Whether the table stands on a row of the entry's subject (any detail).
bool onSameSubject(const db::TableRecordset& table, const SubjectEntry& entry) {
    return !table.eof() && table.field("F21_KBN").asInt() == entry.SubjectClass &&
           table.field("F21_ACT").asInt() == entry.SubjectCode;
}

// The rows a step changes are written together or not at all.
void inOneTransaction(db::Database& database, const std::function<void()>& step) {
    database.beginTrans();
    try {
        step();
        database.commitTrans();
    } catch (...) {
        if (database.inTransaction()) database.rollback();
        throw;
    }
}

void getSubject(data::ProgramState& s, SubjectEntry& entry, std::int16_t& RecordState, std::int16_t& Err) {
    if (entry.DetailCode > 0) {
        if (readSubject(s, entry.SubjectClass, entry.SubjectCode, entry.DetailCode) == 0) {
            entry.NameEntryFlag = 0;
            RecordState = 1;
            entry.Record = s.F21Record;
            entry.SubjectName = entry.Record.F21_NAM.str();
            return;
        }
        if (readSubject(s, entry.SubjectClass, entry.SubjectCode, 0) != 0) {
            s.message(NoBasicSubjectMessage);
            entry.NameEntryFlag = 9;
            Err = 9;
            return;
        }
        entry.NameEntryFlag = 0;
        entry.SubjectName = s.F21Record.F21_NAM.str();
        ClearF21Record(entry.Record);
        entry.Record.F21_NAM = entry.SubjectName.str();
        RecordState = 3;
        return;
    }
    if (readSubject(s, entry.SubjectClass, entry.SubjectCode, 0) == 0) {
        entry.NameEntryFlag = 0;
        RecordState = 1;
        entry.Record = s.F21Record;
        entry.SubjectName = entry.Record.F21_NAM.str();
        return;
    }
    ClearF21Record(entry.Record);
    entry.SubjectName = "";
    RecordState = 3;
    entry.NameEntryFlag = 9;
}

void putSubject(data::ProgramState& s, SubjectEntry& entry, const std::string& nameField, std::int16_t& Err) {
    entry.SubjectName = nameField;
    const bool renamed = entry.SubjectName.str() != entry.Record.F21_NAM.str();
    if (renamed && entry.DetailCode > 0) {
        s.message(NameOnlyOnBasicMessage);
        Err = 9;
        return;
    }
    db::TableRecordset& table = *s.F21Table;
    s.F21Record = entry.Record;
    s.F21Record.F21_KBN = static_cast<std::int16_t>(entry.SubjectClass);
    s.F21Record.F21_ACT = entry.SubjectCode;
    s.F21Record.F21_SRT = entry.DetailCode;
    inOneTransaction(*s.MainDatabase, [&] {
        data::EditOrAddNew(table, {data::toValue(s.F21Record.F21_KBN), data::toValue(entry.SubjectCode),
                                   data::toValue(entry.DetailCode)});
        WriteSubjectFields(s, entry);
        if (renamed) table.setField("F21_NAM", data::toValue(entry.SubjectName));
        table.update();
        table.setBookmark(table.lastModified());
        if (!renamed) return;
        // The details follow their basic row in index order and carry its name.
        const db::Bookmark basicRow = table.bookmark();
        for (table.moveNext(); onSameSubject(table, entry); table.moveNext()) {
            table.edit();
            table.setField("F21_NAM", data::toValue(entry.SubjectName));
            table.update();
        }
        table.setBookmark(basicRow);
    });
    if (renamed) entry.Record.F21_NAM = entry.SubjectName.str();
}

void deleteSubject(data::ProgramState& s, SubjectEntry& entry, std::int16_t& Err) {
    Err = readSubject(s, entry.SubjectClass, entry.SubjectCode, entry.DetailCode);
    if (Err != 0) {
        s.message(shell::DeleteMissingMessage);
        return;
    }
    db::TableRecordset& table = *s.F21Table;
    if (entry.DetailCode != 0) {
        table.deleteCurrent();
        table.moveNext();
        return;
    }
    if (s.message(DeleteDetailsQuestion, platform::Buttons::YesNo) != platform::Answer::Yes) return;
    inOneTransaction(*s.MainDatabase, [&] {
        do {
            table.deleteCurrent();
            table.moveNext();
        } while (onSameSubject(table, entry));
    });
}

} // namespace

void SubjectRecordIO(data::ProgramState& s, SubjectEntry& entry, const std::string& Mode, const std::string& nameField,
                     std::int16_t& RecordState, std::int16_t& Err) {
    Err = 0;
    if (Mode == "GET") {
        getSubject(s, entry, RecordState, Err);
    } else if (Mode == "PUT") {
        putSubject(s, entry, nameField, Err);
    } else if (Mode == "DEL") {
        deleteSubject(s, entry, Err);
    }
}

void WriteSubjectFields(data::ProgramState& s, const SubjectEntry& entry) {
    db::TableRecordset& table = *s.F21Table;
    const data::F21Rec& r = s.F21Record;
    table.setField("F21_KBN", data::toValue(static_cast<std::int16_t>(entry.SubjectClass)));
    table.setField("F21_ACT", data::toValue(entry.SubjectCode));
    table.setField("F21_SRTKBN", data::toValue(DetailCategory));
    table.setField("F21_SRT", data::toValue(entry.DetailCode));
    table.setField("F21_NAM", data::toValue(r.F21_NAM));
    table.setField("F21_IO", data::toValue(r.F21_IO));
    table.setField("F21_CSH", data::toValue(r.F21_CSH));
    table.setField("F21_FIL", data::toValue(r.F21_FIL));
    for (int m = 1; m <= 12; ++m)
        table.setField(data::numberedField("F21_AMT_", m), data::toValue(r.F21_AMT[static_cast<std::size_t>(m)]));
    table.setField("F21_REM", data::toValue(r.F21_REM));
    table.setField("F21_DUM", data::toValue(r.F21_DUM));
}

void ClearF21Record(data::F21Rec& record) { record = data::F21Rec(); }

} // namespace masters
