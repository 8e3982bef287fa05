// Opening a data file completely: the database, the stamp of today's date in the control row,
// the code-category table and the seven table recordsets.
#pragma once

#include "data/program_state.h"

#include <string>

namespace shell {

// Opens state.DataFilePath. On failure throws db::DbError and leaves no database open.
void OpenDataFile(data::ProgramState& state);

// The caption of the main window for the open file.
std::string MainCaption(const std::string& dataFilePath);

} // namespace shell
