#include "shell/event_guard.h"

namespace shell {

bool guardEvent(data::ProgramState& state, const std::function<void()>& event) {
    try {
        event();
        return true;
    } catch (const db::DbError& error) {
        if (state.MainDatabase && state.MainDatabase->inTransaction()) {
            try {
                state.MainDatabase->rollback();
            } catch (const db::DbError&) {
                // The failure itself is what the user needs to hear about.
            }
        }
        state.message("Err.Number = " + db::ErrorReport(error));
        return false;
    }
}

} // namespace shell
