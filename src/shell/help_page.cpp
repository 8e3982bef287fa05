#include "shell/help_page.h"

#include <filesystem>

namespace shell {

std::string HelpPagePath(const data::ProgramState& state) { return state.AppPath + "Manual/manual.html"; }

void OpenHelpPage(data::ProgramState& state) {
    const std::string page = HelpPagePath(state);
    std::error_code error;
    // A page that is not there would be handed to the browser all the same, which then shows its own error.
    const bool opened = std::filesystem::is_regular_file(page, error) && state.desktop && state.desktop->open(page);
    if (!opened) state.message("操作説明を開けませんでした。\n" + page);
}

} // namespace shell
