// Test fixtures: a fresh copy of the template data file in its own folder, and scripted doubles
// of the platform services that record what the program showed and answer as told.
#pragma once

#include "data/program_state.h"
#include "platform/services.h"

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The built template data file.
std::string templatePath();

// A copy of the template named `name` in `folder`; returns its path.
std::string copyTemplate(const TempFolder& folder, const std::string& name = "Kemlora.mdb");

// Empties every table of a data file (the schema stays).
void clearAllTables(const std::string& path);

// A company name of its own in a data file's control row, so that a copy of the file can be recognised; and the
// name read back, trimmed.
void markCompany(const std::string& path, const std::string& company);
std::string companyOf(const std::string& path);

// A file's bytes, and the names in a folder in sorted order.
std::string fileBytes(const std::string& path);
std::vector<std::string> folderNames(const TempFolder& folder);

class ScriptedMessages : public platform::MessageBoxService {
public:
    platform::Answer show(const std::string& text, platform::Buttons buttons, bool defaultSecond) override;
    std::vector<std::string> shown;
    std::deque<platform::Answer> answers; // taken in order; when none is left: Ok, or Yes for a question
};

class ScriptedFileDialog : public platform::FileDialogService {
public:
    std::optional<std::string> choose(const platform::FileDialogRequest& request) override;
    std::vector<platform::FileDialogRequest> requests;
    std::deque<std::optional<std::string>> answers; // nothing left: cancelled
};

class ScriptedDesktop : public platform::DesktopService {
public:
    bool open(const std::string& pathOrUrl) override;
    bool start(const std::string& program, const std::vector<std::string>& arguments) override;
    std::vector<std::string> opened;
    std::vector<std::string> started;
    bool succeed = true;
};

class ScriptedRegistry : public platform::RegistryService {
public:
    std::optional<std::string> GetKeyValue(const std::string& key, const std::string& valueName) override;
    std::optional<std::string> value;
    std::vector<std::string> asked;
};

// Every platform service scripted; attach() hands them to a program state, with a fixed today.
struct ScriptedServices {
    void attach(data::ProgramState& state, std::int32_t today = 20260415);
    ScriptedMessages messages;
    ScriptedFileDialog fileDialog;
    ScriptedDesktop desktop;
    ScriptedRegistry registry;
};

// A program state on an open copy of the template, with every service scripted and a fixed today.
struct OpenState : ScriptedServices {
    explicit OpenState(bool emptyTables = false, std::int32_t today = 20260415);
    TempFolder folder;
    std::string path;
    data::ProgramState state;
};

} // namespace testing_support
