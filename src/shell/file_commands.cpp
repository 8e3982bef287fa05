#include "shell/file_commands.h"

#include "shell/data_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace shell {

namespace fs = std::filesystem;

namespace {

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

fs::path Normalised(const std::string& path) {
    std::error_code error;
    auto result = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::path(path).lexically_normal() : result;
}

// The same file under any spelling: a link, "..", a relative path.
bool SameFile(const std::string& first, const std::string& second) {
    if (first == second) return true;
    std::error_code error;
    if (fs::equivalent(first, second, error)) return true;
    return Normalised(first) == Normalised(second);
}

// Where the name's file name begins, so that a "." in a folder name is never taken for the extension.
std::size_t FileNameStart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The name without everything from the first "." of its file name on.
std::string WithoutExtension(const std::string& path) {
    const auto dot = path.find('.', FileNameStart(path));
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string ThreeDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

} // namespace

std::string ForceMdbExtension(const std::string& chosen) { return WithoutExtension(chosen) + ".mdb"; }

FileCommands::FileCommands(data::ProgramState& state, Hooks hooks) : state_(state), hooks_(std::move(hooks)) {}

void FileCommands::closeChildWindows() {
    if (hooks_.closeChildWindows) hooks_.closeChildWindows();
}

void FileCommands::reopen() {
    OpenDataFile(state_);
    if (hooks_.refreshCaption) hooks_.refreshCaption();
}

// Every data file a command writes is put in place by the one routine; false after telling the user.
bool FileCommands::copyIntoPlace(const std::string& source, const std::string& target, const std::string& failureText) {
    const std::error_code error = PutDataFileInPlace(source, target);
    if (!error) return true;
    state_.message(failureText + FileErrorReport(error));
    return false;
}

// The first free name numbered 001 to 999 after the name's base; nothing when all are taken.
std::optional<std::string> FileCommands::numberedName(const std::string& name) {
    const std::string base = WithoutExtension(name);
    for (int n = 1; n <= 999; ++n) {
        const std::string candidate = base + ThreeDigits(n) + ".mdb";
        if (!FileExists(candidate)) return candidate;
    }
    return std::nullopt;
}

void FileCommands::mnuNEW() {
    if (SameFile(state_.DataFilePath, state_.TemplateFilePath)) {
        state_.message("開いているファイルは基準ファイルそのものです。基準ファイルは初期化できません。");
        return;
    }
    if (FileExists(state_.DataFilePath) &&
        state_.message("初期設定以外の現状の全データは失われます。作業を続行しますか。", platform::Buttons::OkCancel) !=
            platform::Answer::Ok)
        return;
    closeChildWindows();
    if (!FileExists(state_.TemplateFilePath)) {
        state_.message("基準ファイルがありません。");
        return;
    }
    state_.closeDatabase();
    copyIntoPlace(state_.TemplateFilePath, state_.DataFilePath, "ファイルの初期化に失敗しました。Err.Number = ");
    reopen();
}

void FileCommands::mnuREAD() {
    closeChildWindows();
    platform::FileDialogRequest request;
    request.title = "ファイルの指定";
    request.folder = state_.AppPath;
    request.filter = "*.*";
    const auto chosen = state_.fileDialog ? state_.fileDialog->choose(request) : std::nullopt;
    if (!chosen) return;
    const std::string name = ForceMdbExtension(*chosen);

    const std::string previous = state_.DataFilePath;
    const bool hadOpenFile = state_.MainDatabase != nullptr;
    state_.closeDatabase();
    state_.DataFilePath = name;
    try {
        reopen();
    } catch (const db::DbError& error) {
        // The chosen file stays untouched; the user goes on with the file that was open, if any.
        state_.DataFilePath = previous;
        const std::string report = "Err.Number = " + db::ErrorReport(error);
        if (!hadOpenFile) {
            state_.message("ファイル「" + name + "」を開けませんでした。" + report);
            if (hooks_.refreshCaption) hooks_.refreshCaption();
            return;
        }
        state_.message("ファイル「" + name + "」を開けませんでした。元のファイルを開き直します。" + report);
        reopen();
    }
}

void FileCommands::mnuFSave() {
    closeChildWindows();
    // Only a file that opened is worth a copy; without one there is nothing to reopen either.
    if (!state_.MainDatabase || !FileExists(state_.DataFilePath)) return;
    platform::FileDialogRequest request;
    request.save = true;
    request.title = "現状ファイルの保存";
    request.folder = state_.AppPath;
    request.filter = "*.*";
    const auto chosen = state_.fileDialog ? state_.fileDialog->choose(request) : std::nullopt;
    if (!chosen) return;
    std::string name = ForceMdbExtension(*chosen);
    if (SameFile(name, state_.DataFilePath)) return;

    if (FileExists(name) && state_.message("同一ファイルが存在します。上書きしますか。", platform::Buttons::YesNo) ==
                                platform::Answer::No) {
        const auto numbered = numberedName(name);
        if (!numbered) {
            const std::string base = WithoutExtension(name);
            state_.message("連番のファイル名（" + base + "001.mdb～" + base +
                           "999.mdb）はすべて使われています。別の名前を指定して下さい。");
            return;
        }
        name = *numbered;
        if (state_.message("新ファイル名は　" + name + "です。作業を続行しますか。", platform::Buttons::OkCancel) !=
            platform::Answer::Ok)
            return;
    }
    state_.closeDatabase();
    copyIntoPlace(state_.DataFilePath, name, "ファイルの保存に失敗しました。Err.Number = ");
    reopen();
}

} // namespace shell
