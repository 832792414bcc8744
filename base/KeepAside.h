#pragma once

#include <filesystem>

namespace base {

// Moves a file the program cannot use (and so must not overwrite) out of
// the way, to the first of "<path>.unreadable", "<path>.unreadable-2", … that
// no file holds, and returns that name. A name taken by another writer at
// the same moment is never replaced: the move itself refuses to overwrite
// where the file system allows it. Throws a std::runtime_error
// "<path>: cannot be kept aside as <name>: <problem>", both paths whole,
// and then the file stays where it was.
std::filesystem::path keepAside(const std::filesystem::path& path);

}  // namespace base
