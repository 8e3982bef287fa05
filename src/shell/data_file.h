// Opening a data file completely: the database, the stamp of today's date in the control row,
// the code-category table and the seven table recordsets; and putting a copy of a data file in
// place under a name, the one way every command makes or replaces a data file.
#pragma once

#include "data/program_state.h"

#include <string>
#include <system_error>

namespace shell {

// Opens state.DataFilePath. On failure throws db::DbError, leaves no database open and leaves the
// file exactly as it was.
void OpenDataFile(data::ProgramState& state);

// The caption of the main window for the open file.
std::string MainCaption(const std::string& dataFilePath);

// Copies `source` to `target`: the copy is written under a temporary name beside the target,
// flushed to disk, and only then renamed onto the target, so the target is either as it was or the
// whole copy. The target's -journal, -wal and -shm files, left by a job killed on an earlier file of
// that name, are removed first so the engine never plays them into the copy; a temporary copy left
// by an earlier killed copy is removed too. Returns the failure; the target is then as it was.
std::error_code PutDataFileInPlace(const std::string& source, const std::string& target);

// A file-system failure as the user is told of it: the run-time error number with a blank (or its
// minus sign) in front, then one Japanese description in parentheses. The system's own text goes
// to standard error for whoever debugs.
std::string FileErrorReport(const std::error_code& error);

} // namespace shell
