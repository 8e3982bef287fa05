// Our own small stand-in for the system registry. The one entry the program reads names the
// system-information tool; here it answers a tool found on this machine's PATH.
#pragma once

#include "platform/services.h"

#include <functional>

namespace platform {

// The key and value that name the system-information tool.
inline constexpr const char* SystemInformationKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* SystemInformationValue = "PATH";

class LocalRegistry : public RegistryService {
public:
    // `key` may carry the root ("HKEY_LOCAL_MACHINE\...") and either kind of slash; letter case
    // does not count, as in the system registry.
    std::optional<std::string> GetKeyValue(const std::string& key, const std::string& valueName) override;
};

// The first system-information program of our list that PATH offers, or nothing.
std::optional<std::string> findSystemInformationTool();

} // namespace platform
