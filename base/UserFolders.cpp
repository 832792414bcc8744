#include "base/UserFolders.h"

#include <cstdlib>

namespace base {

namespace {

constexpr const char* programFolder = "vyn";

// An absolute folder named by the environment variable, if there is one.
std::filesystem::path absoluteFrom(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') return {};
    std::filesystem::path folder(value);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

std::filesystem::path userFolder(const char* variable, const char* underHome) {
    auto folder = absoluteFrom(variable);
    if (folder.empty()) {
        const auto home = absoluteFrom("HOME");
        if (home.empty()) return {};
        folder = home / underHome;
    }
    return folder / programFolder;
}

}  // namespace

UserFolders UserFolders::fromEnvironment() {
    return {userFolder("XDG_CONFIG_HOME", ".config"), userFolder("XDG_DATA_HOME", ".local/share")};
}

}  // namespace base
