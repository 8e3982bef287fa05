// The real desktop: opens files and addresses with their default handler and starts programs.
#pragma once

#include "platform/services.h"

namespace platform {

class QtDesktop : public DesktopService {
public:
    bool open(const std::string& pathOrUrl) override;
    bool start(const std::string& program, const std::vector<std::string>& arguments = {}) override;
};

} // namespace platform
