// Runs one user event (a menu command, a button, a field's focus) so that a database failure
// inside it never ends the program: what the event started is rolled back and the user is told.
#pragma once

#include "data/program_state.h"

#include <functional>

namespace shell {

// Returns false when the event failed.
bool guardEvent(data::ProgramState& state, const std::function<void()>& event);

} // namespace shell
