// vyn-replay: runs the game headlessly with scripted input, for tests, bug
// reports and checking changes. See ReplayOptions.cpp for the command line,
// runs/Script.h for the script, and game::ApplicationMain::main for the
// path from here to the first update.
#include <fcntl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "base/InputFile.h"
#include "base/Random.h"
#include "base/UserFolders.h"
#include "command_line/ProgramMain.h"
#include "display/Loader.h"
#include "frontend/LevelCatalog.h"
#include "game/ApplicationMain.h"
#include "game/ProgramFolders.h"
#include "replay/Replay.h"
#include "replay/ReplayOptions.h"
#include "runs/OutputFile.h"
#include "runs/Script.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace {

const command_line::Program replayProgram{"vyn-replay", replay::usage, game::ApplicationMain::version};

// Whether file descriptor fd is open.
bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

// The script in `file`; none for an empty path.
runs::Script readScript(const std::filesystem::path& file) {
    if (file.empty()) return {};
    // A regular file, or a pipe the caller feeds; never a folder.
    std::istringstream input(command_line::asBadInput(
        [&] { return base::readInputFile(file.string(), base::InputKind::RegularFileOrPipe); }));
    auto result = runs::parseScript(input);
    if (result.error) {
        throw command_line::Stop(
            command_line::badInputStatus,
            file.string() + ":" + std::to_string(result.error->line) + ": " + result.error->message);
    }
    return std::move(*result.script);
}

int run(replay::ReplayOptions options, bool standardOutputOpen) {
    using command_line::badInputStatus;
    using command_line::Stop;
    if (options.trace == "-" && !standardOutputOpen) throw Stop(badInputStatus, "--trace -: standard output is closed");
    if (options.sounds == "-" && !standardOutputOpen) {
        throw Stop(badInputStatus, "--sounds -: standard output is closed");
    }

    runs::Script script = readScript(options.script);
    replay::applyScriptHeader(options, script);
    if (options.checkWin && options.front) {
        throw Stop(badInputStatus, "--check-win checks a game's own run, not a run through the front end");
    }

    // Checked before anything is written: no output may overwrite an input
    // or another output. The game's own level lies in the program's data
    // folder, as the game finds it.
    const auto gameLevel = game::ProgramFolders::current().data / game::GameMap::levelFile;
    if (auto conflict = replay::outputConflict(options, gameLevel); !conflict.empty()) {
        throw Stop(badInputStatus, conflict);
    }
    for (const auto& shot : options.shots) {
        if (options.ticks && shot.tick > *options.ticks) {
            throw Stop(badInputStatus, "--shot " + std::to_string(shot.tick) + " lies beyond the last update, " +
                                           std::to_string(*options.ticks));
        }
    }

    // A run that names its level by content and by no file is played on
    // the level of the player's list that has that content.
    if (script.levelId && options.level.empty()) {
        options.level =
            frontend::LevelCatalog::standard(base::UserFolders::fromEnvironment(), game::ProgramFolders::current().data)
                .withId(*script.levelId)
                .value_or(std::filesystem::path());
    }

    // A level of the caller's must load before the game starts: a fault in
    // it is reported here, plainly, rather than from inside the frame loop.
    // The game then takes the level read here.
    std::optional<game::Level> level;
    if (!options.level.empty()) {
        // The front end starts the level again from what it read.
        level = command_line::asBadInput([&] {
            return options.front ? game::Level::readToKeep(options.level.string())
                                 : game::Level::read(options.level.string());
        });
    }
    if (script.levelId) {
        const auto played =
            level ? level->id() : command_line::asBadInput([&] { return game::Level::read(gameLevel.string()).id(); });
        if (played != *script.levelId) {
            throw Stop(badInputStatus,
                       base::wholePath(options.script.string()) + " is a run of another level (level-id " +
                           *script.levelId + "), not of " +
                           base::wholePath((options.level.empty() ? gameLevel : options.level).string()) +
                           " (level-id " + played + ")");
        }
    }
    std::unique_ptr<runs::OutputFile> trace;
    if (!options.trace.empty()) {
        trace =
            command_line::asBadInput([&] { return std::make_unique<runs::OutputFile>(options.trace, "the trace"); });
    }
    std::unique_ptr<runs::OutputFile> sounds;
    if (!options.sounds.empty()) {
        sounds =
            command_line::asBadInput([&] { return std::make_unique<runs::OutputFile>(options.sounds, "the sounds"); });
    }

    // The display module is looked for in the working directory first: start
    // in the headless one's folder, so that the real one installed with this
    // program is never picked up.
    std::filesystem::current_path(game::ProgramFolders::current().headlessModules());
    const rth_api* api = gfx::Loader::headlessDriver("gfxrt");
    if (api == nullptr)
        throw command_line::Stop(command_line::failedStatus, "the headless display module cannot be driven");

    base::Random::seed(options.seed.value_or(replay::ReplayOptions::defaultSeed));
    int status = 0;
    {
        replay::Replay driver(*api, options, std::move(script), {trace.get(), sounds.get()}, std::move(level));
        status = driver.run();
    }
    // A trace or a list of sounds that did not reach its file whole fails
    // the run.
    for (auto* output : {trace.get(), sounds.get()}) {
        if (output == nullptr) continue;
        if (const std::string failure = output->close(); !failure.empty()) {
            command_line::report(replayProgram, failure);
            status = command_line::failedStatus;
        }
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // A closed standard stream would be taken by the next file opened, and
    // what is meant for it would land there: each gets /dev/null instead,
    // after noting whether the trace could go to standard output.
    const bool standardOutputOpen = isOpen(1);
    for (int fd = 0; fd <= 2; ++fd) {
        if (!isOpen(fd) && ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return command_line::failedStatus;
    }
    return command_line::runProgram(
        replayProgram, argc, argv, replay::parseOptions,
        [&](const replay::ReplayOptions& options) { return run(options, standardOutputOpen); });
}
