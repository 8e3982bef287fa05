// The file menu's three commands on the data file: initialise the working file from the template,
// switch to another data file, and save a copy of the open file under another name.
#pragma once

#include "data/program_state.h"

#include <functional>
#include <optional>
#include <string>

namespace shell {

class FileCommands {
public:
    // What the commands need of the main window without knowing it.
    struct Hooks {
        std::function<void()> closeChildWindows;
        std::function<void()> refreshCaption;
    };

    FileCommands(data::ProgramState& state, Hooks hooks);

    // Each command ends with a data file open again. Only when even that file cannot be reopened
    // does a db::DbError leave the command, with no database open.
    void mnuNEW();
    void mnuREAD();
    void mnuFSave();

private:
    void closeChildWindows();
    void reopen();
    bool copyIntoPlace(const std::string& source, const std::string& target, const std::string& failureText);
    static std::optional<std::string> numberedName(const std::string& name);

    data::ProgramState& state_;
    Hooks hooks_;
};

// The chosen path with ".mdb" in place of everything from the first "." of its file name on.
std::string ForceMdbExtension(const std::string& chosen);

} // namespace shell
