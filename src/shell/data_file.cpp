#include "shell/data_file.h"

#include "data/code_categories.h"
#include "data/control_row.h"
#include "platform/db/database.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iostream>
#include <vector>

namespace shell {

namespace fs = std::filesystem;

namespace {

// The engine's companions of a data file: a rollback journal, or a write-ahead log and its index.
const char* const CompanionSuffixes[] = {"-journal", "-wal", "-shm"};

std::error_code lastError() { return {errno, std::generic_category()}; }

// Waits until what was written to the file (or a folder's entries) is on the disk.
std::error_code flushToDisk(const fs::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return lastError();
    std::error_code error;
    if (::fsync(fd) != 0) error = lastError();
    ::close(fd);
    return error;
}

// A companion moved aside while the copy takes the name, and where it came from.
struct MovedCompanion {
    fs::path from;
    fs::path aside;
};

// Moves the companions of `file` aside rather than deleting them, so that a failed rename can put a
// journal back beside the file it belongs to.
void moveCompanionsAside(const fs::path& file, const fs::path& partial, std::vector<MovedCompanion>& moved,
                         std::error_code& error) {
    for (const char* suffix : CompanionSuffixes) {
        const fs::path companion = file.string() + suffix;
        std::error_code absent;
        if (error || !fs::exists(fs::symlink_status(companion, absent))) continue;
        const fs::path aside = partial.string() + suffix + std::to_string(moved.size());
        fs::rename(companion, aside, error);
        if (!error) moved.push_back({companion, aside});
    }
}

// A rename is on the disk only once the folder that holds the name is.
void flushFolder(const fs::path& file) {
    flushToDisk(file.parent_path().empty() ? fs::path(".") : file.parent_path(), O_RDONLY | O_DIRECTORY);
}

// A target that a job killed inside its commit left behind holds pages of that commit, and only its
// journal holds what they were; moving the journal aside would leave a torn file under the name. So the
// journal is first played into a trial copy, and when that gives a whole data file the trial takes the
// target's place: the name then holds the whole old file, and the journal beside it, played again,
// restores the same pages. A journal that gives no whole file (the target is no data file, or the
// journal is another file's) is moved aside with the other companions, and the target is left as it is.
void rollBackHotJournal(const fs::path& destination, const fs::path& partial) {
    const fs::path journal = destination.string() + "-journal";
    std::error_code error;
    if (!fs::is_regular_file(destination, error) || !fs::exists(journal, error)) return;
    const fs::path trial = partial.string() + "-trial";
    fs::copy_file(destination, trial, fs::copy_options::overwrite_existing, error);
    if (!error) fs::copy_file(journal, trial.string() + "-journal", fs::copy_options::overwrite_existing, error);
    if (!error && db::IsSoundDataFile(trial.string())) {
        error = flushToDisk(trial, O_RDONLY);
        if (!error) fs::rename(trial, destination, error);
        // The journal must not be moved aside before the restored file is on the disk under the name.
        if (!error) flushFolder(destination);
    }
    std::error_code ignored;
    fs::remove(trial, ignored);
    fs::remove(trial.string() + "-journal", ignored);
}

void removeLeftovers(const fs::path& partial) {
    std::error_code ignored;
    fs::remove(partial, ignored);
    for (const auto& entry :
         fs::directory_iterator(partial.parent_path().empty() ? "." : partial.parent_path(), ignored))
        if (entry.path().filename().string().rfind(partial.filename().string() + "-", 0) == 0)
            fs::remove(entry.path(), ignored);
}

// File-system failures carry the run-time error numbers users of this program know.
int FileErrorNumber(const std::error_code& error) {
    const auto condition = error.default_error_condition();
    if (condition == std::errc::no_such_file_or_directory) return 53;
    if (condition == std::errc::not_a_directory) return 76;
    if (condition == std::errc::permission_denied || condition == std::errc::operation_not_permitted ||
        condition == std::errc::read_only_file_system)
        return 70;
    if (condition == std::errc::no_space_on_device || condition == std::errc::file_too_large) return 61;
    if (condition == std::errc::file_exists) return 58;
    return 75;
}

const char* FileErrorDescription(int number) {
    switch (number) {
    case 53:
        return "ファイルが見つかりません。";
    case 76:
        return "パスが見つかりません。";
    case 70:
        return "書き込みが許可されていません。";
    case 61:
        return "ディスクの空き容量が足りません。";
    case 58:
        return "同じ名前のファイルが既にあります。";
    default:
        return "ファイルを読み書きできません。";
    }
}

} // namespace

void OpenDataFile(data::ProgramState& state) {
    state.closeDatabase();
    try {
        state.MainDatabase = db::Database::open(state.DataFilePath);
        // Everything that can refuse the file is read before anything is written, and the writes
        // share one transaction, so a refused file is left exactly as it was.
        data::LoadCodeKbnTable(state);
        state.openTables();
        state.MainDatabase->beginTrans();
        // A file without a control row gets the default one here, so the status needs no look.
        std::int16_t status = 0;
        data::F01Access(state, "GET", status);
        const std::int32_t today = state.today();
        state.F01Record.F01_ACT = today;
        state.F01Record.F01_TDY = today;
        data::F01Access(state, "PUT", status);
        state.MainDatabase->commitTrans();
    } catch (...) {
        // Half an open file is worse than none: the callers test MainDatabase to know where they stand.
        if (state.MainDatabase && state.MainDatabase->inTransaction()) {
            try {
                state.MainDatabase->rollback();
            } catch (const db::DbError&) {
                // Closing the file below drops what the rollback could not.
            }
        }
        state.closeDatabase();
        throw;
    }
}

std::string MainCaption(const std::string& dataFilePath) { return "経理処理　　　　（" + dataFilePath + "）"; }

std::error_code PutDataFileInPlace(const std::string& source, const std::string& target,
                                   const PlacementSteps& afterStep) {
    const auto done = [&afterStep](const char* step) {
        if (afterStep) afterStep(step);
    };
    fs::path destination = target;
    std::error_code error;
    // Replace what a link points to, not the link.
    std::error_code absent;
    if (fs::is_symlink(fs::symlink_status(destination, absent))) {
        destination = fs::weakly_canonical(fs::absolute(target), error);
        if (error) return error;
    }
    const fs::path partial = destination.parent_path() / ("." + destination.filename().string() + ".kemlora-copy");

    removeLeftovers(partial);
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, error);
    if (!error) error = flushToDisk(partial, O_RDONLY);
    if (!error) {
        done("copied");
        rollBackHotJournal(destination, partial);
        done("rolled back");
    }
    std::vector<MovedCompanion> moved;
    if (!error) moveCompanionsAside(destination, partial, moved, error);
    if (!error && destination != fs::path(target)) moveCompanionsAside(target, partial, moved, error);
    if (!error) {
        done("moved aside");
        fs::rename(partial, destination, error);
    }
    if (!error) done("renamed");
    std::error_code ignored;
    for (const auto& companion : moved) {
        if (error)
            fs::rename(companion.aside, companion.from, ignored);
        else
            fs::remove(companion.aside, ignored);
    }
    if (error) {
        fs::remove(partial, ignored);
        return error;
    }
    flushFolder(destination);
    return {};
}

std::string FileErrorReport(const std::error_code& error) {
    const int number = FileErrorNumber(error);
    std::cerr << "Kemlora: file error " << number << ": " << error.message() << std::endl;
    const std::string digits = number < 0 ? std::to_string(number) : " " + std::to_string(number);
    return digits + " (" + FileErrorDescription(number) + ")";
}

} // namespace shell
