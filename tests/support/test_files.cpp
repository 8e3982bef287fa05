#include "support/test_files.h"

#include "data/fixed_text.h"

#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace testing_support {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    for (;;) {
        path_ = fs::temp_directory_path() / ("kemlora-test-" + std::to_string(random()));
        if (fs::create_directory(path_)) break;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string templatePath() {
    if (const char* path = std::getenv("KEMLORA_TEMPLATE")) return path;
    return KEMLORA_TEMPLATE_PATH;
}

std::string copyTemplate(const TempFolder& folder, const std::string& name) {
    const auto target = folder.path() / name;
    fs::copy_file(templatePath(), target, fs::copy_options::overwrite_existing);
    return target.string();
}

void clearAllTables(const std::string& path) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(handle);
        throw std::runtime_error("cannot open " + path);
    }
    for (const auto& table : db::requiredTables()) {
        const std::string sql = "DELETE FROM " + table;
        sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(handle);
}

void markCompany(const std::string& path, const std::string& company) {
    db::Database::open(path)->execute("UPDATE F01TB SET F01_NAM_01 = ?", {db::Value(company)});
}

std::string companyOf(const std::string& path) {
    return data::trimText(db::Database::open(path)->openSnapshot("SELECT F01_NAM_01 FROM F01TB")->field(0).asText());
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> folderNames(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

platform::Answer ScriptedMessages::show(const std::string& text, platform::Buttons buttons, bool) {
    shown.push_back(text);
    if (!answers.empty()) {
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == platform::Buttons::YesNo ? platform::Answer::Yes : platform::Answer::Ok;
}

std::optional<std::string> ScriptedFileDialog::choose(const platform::FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDesktop::open(const std::string& pathOrUrl) {
    opened.push_back(pathOrUrl);
    return succeed;
}

bool ScriptedDesktop::start(const std::string& program, const std::vector<std::string>&) {
    started.push_back(program);
    return succeed;
}

std::optional<std::string> ScriptedRegistry::GetKeyValue(const std::string& key, const std::string& valueName) {
    asked.push_back(key + "\\" + valueName);
    return value;
}

void ScriptedServices::attach(data::ProgramState& state, std::int32_t today) {
    state.messages = &messages;
    state.fileDialog = &fileDialog;
    state.desktop = &desktop;
    state.registry = &registry;
    state.today = [today] { return today; };
}

OpenState::OpenState(bool emptyTables, std::int32_t today) {
    path = copyTemplate(folder);
    if (emptyTables) clearAllTables(path);
    attach(state, today);
    state.AppPath = folder.path().string() + "/";
    state.DataFilePath = path;
    state.MainDatabase = db::Database::open(path);
    state.openTables();
}

} // namespace testing_support
