// Reading, registering and deleting the subject rows of the subject register, with the rules that tie
// the details of a subject to its basic subject (detail 0): a detail starts only under its basic
// subject, a new name of the basic subject goes to every detail, and deleting it deletes them all.
#pragma once

#include "data/program_state.h"

#include <cstdint>
#include <string>

namespace masters {

// What the subject register is working on: the key, the name and the row being edited. The row is the
// window's own, so that a keyed read by another window or a report never changes what it registers.
struct SubjectEntry {
    std::int32_t SubjectClass = 0;
    std::int32_t SubjectCode = 0;
    std::int32_t DetailCode = 0; // 0: the basic subject
    data::FixedText SubjectName{30};
    std::int16_t NameEntryFlag = 0; // 9: a new basic subject, whose name is to be typed
    data::F21Rec Record;
};

// "GET": reads the row of the key into entry.Record; RecordState 1 found, 3 new (a new detail takes its basic
//        subject's name); Err 9 when a detail's basic subject is missing (the user has been told).
// "PUT": writes entry.Record under the key, taking the name from `nameField` for a basic subject and carrying
//        a new name to its details; Err 9 when a detail's name was changed (told; nothing written).
// "DEL": deletes the row of the key, and for a basic subject, after a question of its own, its details, in
//        one transaction; Err 9 when the row is gone (told).
// Other modes do nothing. RecordState is changed by "GET" only.
void SubjectRecordIO(data::ProgramState& s, SubjectEntry& entry, const std::string& Mode, const std::string& nameField,
                     std::int16_t& RecordState, std::int16_t& Err);

// Sets every field of the row being added or edited on F21Table: the key from the entry, the rest from
// F21Record, into which the register loads its row only to write it.
void WriteSubjectFields(data::ProgramState& s, const SubjectEntry& entry);

// An empty subject row.
void ClearF21Record(data::F21Rec& record);

} // namespace masters
