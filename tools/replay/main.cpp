// vyn-replay: runs the game headlessly with scripted input, for tests, bug
// reports and checking changes. See ReplayOptions.cpp for the command line
// and runs/Script.h for the script.
#include <fcntl.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/HugePageHeap.h"
#include "base/InputFile.h"

#include "base/Random.h"
#include "display/Loader.h"
#include "game/ApplicationMain.h"
#include "game/GameMap.h"
#include "game/Level.h"
#include "game/ProgramFolders.h"
#include "runs/OutputFile.h"
#include "runs/Script.h"
#include "tools/replay/Replay.h"
#include "tools/replay/ReplayOptions.h"

namespace {

constexpr int badInput = 2;

// Whether file descriptor fd is open.
bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

int run(int argc, char** argv) {
    // A closed standard stream would be taken by the next file opened, and
    // what is meant for it would land there: each gets /dev/null instead,
    // after noting whether the trace could go to standard output.
    const bool standardOutputOpen = isOpen(1);
    for (int fd = 0; fd <= 2; ++fd) {
        if (!isOpen(fd) && ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return 1;
    }

    const auto start = std::filesystem::current_path();
    auto parsed = replay::parseOptions(std::vector<std::string>(argv + 1, argv + argc), start);
    if (parsed.help) {
        std::fputs(replay::usage, stdout);
        return 0;
    }
    if (parsed.version) {
        std::printf("vyn-replay %s\n", game::ApplicationMain::version);
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "vyn-replay: %s\n%s", parsed.error.c_str(), replay::usage);
        return badInput;
    }
    replay::ReplayOptions options = *parsed.options;

    if (options.trace == "-" && !standardOutputOpen) {
        std::fprintf(stderr, "vyn-replay: --trace -: standard output is closed\n");
        return badInput;
    }

    runs::Script script;
    if (!options.script.empty()) {
        // A regular file, or a pipe the caller feeds; never a folder.
        std::istringstream input;
        try {
            input.str(base::readInputFile(options.script.string(), base::InputKind::RegularFileOrPipe));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "vyn-replay: %s\n", error.what());
            return badInput;
        }
        auto result = runs::parseScript(input);
        if (result.error) {
            std::fprintf(stderr, "vyn-replay: %s:%d: %s\n", options.script.c_str(), result.error->line,
                         result.error->message.c_str());
            return badInput;
        }
        script = std::move(*result.script);
    }
    replay::applyScriptHeader(options, script);

    // Checked before anything is written: no output may overwrite an input
    // or another output. The game's own level lies in the program's data
    // folder, as the game finds it.
    const auto gameLevel = game::ProgramFolders::current().data / game::GameMap::levelFile;
    if (auto conflict = replay::outputConflict(options, gameLevel); !conflict.empty()) {
        std::fprintf(stderr, "vyn-replay: %s\n", conflict.c_str());
        return badInput;
    }
    for (const auto& shot : options.shots) {
        if (options.ticks && shot.tick > *options.ticks) {
            std::fprintf(stderr, "vyn-replay: --shot %d lies beyond the last update, %d\n", shot.tick, *options.ticks);
            return badInput;
        }
    }

    // A level of the caller's must load before the game starts: a fault in
    // it is reported here, plainly, rather than from inside the frame loop.
    // The game then takes the level read here.
    std::optional<game::Level> level;
    if (!options.level.empty()) {
        try {
            level = game::Level::read(options.level.string());
        } catch (const std::exception& error) {
            std::fprintf(stderr, "vyn-replay: %s\n", error.what());
            return badInput;
        }
    }

    std::unique_ptr<runs::OutputFile> trace;
    if (!options.trace.empty()) {
        try {
            trace = std::make_unique<runs::OutputFile>(options.trace, "the trace");
        } catch (const std::exception& error) {
            std::fprintf(stderr, "vyn-replay: %s\n", error.what());
            return badInput;
        }
    }

    // The display module is looked for in the working directory first: start
    // in the headless one's folder, so that the real one installed with this
    // program is never picked up.
    std::filesystem::current_path(game::ProgramFolders::current().headlessModules());
    const rth_api* api = gfx::Loader::headlessDriver("gfxrt");
    if (api == nullptr) {
        std::fprintf(stderr, "vyn-replay: the headless display module cannot be driven\n");
        return 1;
    }

    base::Random::seed(options.seed.value_or(replay::ReplayOptions::defaultSeed));
    int status = 0;
    {
        replay::Replay driver(*api, options, std::move(script), trace.get(), std::move(level));
        status = driver.run();
    }
    // A trace that did not reach its file whole fails the run.
    if (trace) {
        if (const std::string failure = trace->close(); !failure.empty()) {
            std::fprintf(stderr, "vyn-replay: %s\n", failure.c_str());
            status = 1;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    base::preferHugePagesForHeap();
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vyn-replay: %s\n", error.what());
        return 1;
    }
}
