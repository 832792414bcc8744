#pragma once

#include <filesystem>

namespace base {

// Where the player's own files live, by the desktop's conventions: settings
// in the configuration folder, records, runs and own levels in the data
// folder. Each is the program's folder ("vyn") inside $XDG_CONFIG_HOME or
// $XDG_DATA_HOME; a variable that is unset, empty or relative (which the
// convention says to ignore) gives ~/.config or ~/.local/share instead.
// Neither folder is created here: a program writes into it only when it has
// something to keep.
struct UserFolders {
    std::filesystem::path config;
    std::filesystem::path data;

    // The folders from the environment of this moment; empty paths when
    // neither the variable nor $HOME gives an absolute folder.
    [[nodiscard]] static UserFolders fromEnvironment();
};

}  // namespace base
