// The help page beside the program, opened in the desktop's browser from the help menu and the version
// dialog.
#pragma once

#include "data/program_state.h"

#include <string>

namespace shell {

std::string HelpPagePath(const data::ProgramState& state);

// Opens the help page; when it is missing or no browser takes it, says so and names the page, so that
// the user is not left wondering why nothing happened.
void OpenHelpPage(data::ProgramState& state);

} // namespace shell
