// The outside world the program talks to, each behind a small interface so that tests can
// stand in a scripted double: message boxes, the file dialog, the desktop opener, the registry.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // A modal box with the default title; `defaultSecond` makes the second button the default.
    virtual Answer show(const std::string& text, Buttons buttons = Buttons::Ok, bool defaultSecond = false) = 0;
};

struct FileDialogRequest {
    bool save = false;             // the save dialog rather than the open dialog
    bool confirmOverwrite = false; // a save dialog asks before a name that exists is taken
    std::string title;
    std::string folder;   // initial folder
    std::string fileName; // initial name
    std::string filter;   // e.g. "データファイル (*.mdb)"
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> choose(const FileDialogRequest& request) = 0;
};

class DesktopService {
public:
    virtual ~DesktopService() = default;
    // Opens a file or web address with the desktop's default handler; false when that failed.
    virtual bool open(const std::string& pathOrUrl) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool start(const std::string& program, const std::vector<std::string>& arguments = {}) = 0;
};

class RegistryService {
public:
    virtual ~RegistryService() = default;
    // The value of a key's named entry, or nothing when either is missing.
    virtual std::optional<std::string> GetKeyValue(const std::string& key, const std::string& valueName) = 0;
};

} // namespace platform
