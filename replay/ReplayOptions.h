#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "command_line/OptionParser.h"
#include "runs/Script.h"

namespace replay {

// One --shot TICK:FILE.
struct Shot {
    int tick = 0;
    std::filesystem::path file;
};

// The command line of vyn-replay. Paths are made absolute against the
// folder the tool was started in, since the game moves the working
// directory beside the executable.
struct ReplayOptions {
    static constexpr std::uint64_t defaultSeed = 1;

    // Empty: the script's level, or else the game's own level.
    std::filesystem::path level;
    // Absent: the last tick of the script (or the last shot) plus 60.
    std::optional<int> ticks;
    // Absent: the script's seed, or else defaultSeed.
    std::optional<std::uint64_t> seed;
    // Empty: no trace; "-": standard output.
    std::filesystem::path trace;
    // Empty: no list of the cues sounded; "-": standard output.
    std::filesystem::path sounds;
    std::vector<Shot> shots;
    // Empty or "-": no input.
    std::filesystem::path script;
    // --front or the script's "front" header: the front end runs around the
    // game (the title, unless a level is named), the ticks are frames and
    // the trace is the front end's.
    bool front = false;
    // --check-win N: the run must win at update N and runs no further; the
    // status says whether it did.
    std::optional<int> checkWin;
};

using OptionsResult = command_line::Parsed<ReplayOptions>;

// The number of updates to run: --ticks, or else the last tick of the
// script plus 60, and never fewer than the last shot needs.
int updatesToRun(const ReplayOptions& options, const runs::Script& script);

// The first output of options that names an input (the level, gameLevel
// when options has none, or the script) or another output, as one line of
// text; empty when there is none. Files are compared by what they are, not
// by how they are spelled: through links, "..", and for standard output
// ("-") by the file it is connected to.
std::string outputConflict(const ReplayOptions& options, const std::filesystem::path& gameLevel);

// Takes the seed and level of the script's header where the command line
// names none, and its front end; a relative level is found from the
// script's folder.
void applyScriptHeader(ReplayOptions& options, const runs::Script& script);

OptionsResult parseOptions(const std::vector<std::string>& args, const std::filesystem::path& startFolder);

extern const char* const usage;

}  // namespace replay
