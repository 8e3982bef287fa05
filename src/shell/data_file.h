// Opening a data file completely: the database, the stamp of today's date in the control row,
// the code-category table and the seven table recordsets; and putting a copy of a data file in
// place under a name, the one way every command makes or replaces a data file.
#pragma once

#include "data/program_state.h"

#include <functional>
#include <string>
#include <system_error>

namespace shell {

// Opens state.DataFilePath. On failure throws db::DbError, leaves no database open and leaves the
// file exactly as it was.
void OpenDataFile(data::ProgramState& state);

// The caption of the main window for the open file.
std::string MainCaption(const std::string& dataFilePath);

// Told the name of each step of a replace as it is done ("copied", "rolled back", "moved aside",
// "renamed"), so that a test can stop the replace there.
using PlacementSteps = std::function<void(const char* step)>;

// Copies `source` to `target`: the copy is written under a temporary name beside the target,
// flushed to disk, and only then renamed onto the target, so the target is either as it was or the
// whole copy. A target left inside a commit by a killed job is first rolled back to the whole file it
// was. The target's -journal, -wal and -shm files that remain are then removed so the engine never
// plays them into the copy; a temporary copy left by an earlier killed copy is removed too. Returns
// the failure; the target is then as it was.
std::error_code PutDataFileInPlace(const std::string& source, const std::string& target,
                                   const PlacementSteps& afterStep = {});

// A file-system failure as the user is told of it: the run-time error number with a blank (or its
// minus sign) in front, then one Japanese description in parentheses. The system's own text goes
// to standard error for whoever debugs.
std::string FileErrorReport(const std::error_code& error);

} // namespace shell
