// The real file dialog: the desktop's open and save dialogs.
#pragma once

#include "platform/services.h"

namespace platform {

class QtFileDialog : public FileDialogService {
public:
    std::optional<std::string> choose(const FileDialogRequest& request) override;
};

} // namespace platform
