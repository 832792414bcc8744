#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "command_line/OptionParser.h"

namespace runs {

// The command line of `vyn`. Paths are made absolute against the folder
// the game was started in, since it moves its working directory beside
// the executable.
struct PlayOptions {
    // Absent: the game's own level.
    std::optional<std::filesystem::path> level;
    // Empty: no recording.
    std::filesystem::path record;
    // Empty: no trace; "-": standard output.
    std::filesystem::path trace;
    // Empty: the ghost races the level's best run, if any.
    std::filesystem::path ghost;
    // Starts silent (M brings the sound back).
    bool mute = false;
};

using PlayOptionsResult = command_line::Parsed<PlayOptions>;

[[nodiscard]] PlayOptionsResult parsePlayOptions(const std::vector<std::string>& args,
                                                 const std::filesystem::path& startFolder);

// The first output of options that names the level (gameLevel when options
// has none) or the other output; empty when there is none.
[[nodiscard]] std::string outputConflict(const PlayOptions& options, const std::filesystem::path& gameLevel);

extern const char* const playUsage;

}  // namespace runs
