#include "base/KeepAside.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>

#include "base/InputFile.h"

namespace base {

namespace {

// Renames from to to unless to exists: 0, or the errno of the failure
// (EEXIST when the name is taken).
int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system that cannot refuse: look first, then rename.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, error))) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

std::filesystem::path keepAside(const std::filesystem::path& path) {
    for (int n = 1;; ++n) {
        auto aside = path;
        aside += n == 1 ? std::string(".unreadable") : ".unreadable-" + std::to_string(n);
        const int error = renameNoReplace(path, aside);
        if (error == 0) return aside;
        if (error == EEXIST) continue;
        throw std::runtime_error(wholePath(path.string()) + ": cannot be kept aside as " + wholePath(aside.string()) +
                                 ": " + std::system_category().message(error));
    }
}

}  // namespace base
