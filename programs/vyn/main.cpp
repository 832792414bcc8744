// The `vyn` program: the game in its window, with the front end around it
// (the title, the panels, the settings), until the window is closed.
// See programs/vyn/PlayOptions.cpp for the command line, and
// game::ApplicationMain::main for the path from here to the first update.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "base/InputFile.h"
#include "base/Random.h"
#include "base/UserFolders.h"
#include "command_line/ProgramMain.h"
#include "display/Stage.h"
#include "frontend/FrontEnd.h"
#include "frontend/LevelCatalog.h"
#include "frontend/Settings.h"
#include "game/ApplicationMain.h"
#include "game/ProgramFolders.h"
#include "programs/vyn/PlayOptions.h"
#include "progress/PlayerProgress.h"
#include "runs/FrontTraceLine.h"
#include "runs/OutputFile.h"
#include "runs/Recorder.h"
#include "runs/Script.h"
#include "runs/UpdateCounter.h"
#include "sound/SoundPlayer.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace {

const command_line::Program vyn{"vyn", runs::playUsage, game::ApplicationMain::version};

// Takes the run to race: one recorded on its level's content, on `level`
// or, without one, on the level of the list with that content.
void raceGhost(const std::filesystem::path& file, std::optional<game::Level>& level, const base::UserFolders& player,
               progress::PlayerProgress& progress) {
    using command_line::badInputStatus;
    const std::string run =
        command_line::asBadInput([&] { return base::readInputFile(file.string(), base::InputKind::RegularFile); });
    std::istringstream text(run);
    const auto parsed = runs::parseScript(text);
    const std::string name = base::wholePath(file.string());
    if (parsed.error) {
        throw command_line::Stop(badInputStatus,
                                 name + ":" + std::to_string(parsed.error->line) + ": " + parsed.error->message);
    }
    if (!parsed.script->levelId || parsed.script->front) {
        throw command_line::Stop(badInputStatus, name + " is not a run that can be raced: it names no level-id");
    }
    const std::string& id = *parsed.script->levelId;
    if (!level) {
        const auto found = frontend::LevelCatalog::standard(player, game::ProgramFolders::current().data).withId(id);
        if (!found) {
            throw command_line::Stop(badInputStatus, name + " is a run of a level that is not in the list (level-id " +
                                                         id + "): name its level file");
        }
        level = game::Level::readToKeep(found->string());
    } else if (const std::string played = level->id(); played != id) {
        throw command_line::Stop(badInputStatus, name + " is a run of another level (level-id " + id + "), not of " +
                                                     base::wholePath(level->path()) + " (level-id " + played + ")");
    }
    progress.race(id, run);
}

int play(const runs::PlayOptions& options) {
    // Checked before anything is written and before the window opens: no
    // output may overwrite the level or the other output, and a level of the
    // player's own must load.
    const auto gameLevel = game::ProgramFolders::current().data / game::GameMap::levelFile;
    if (auto conflict = runs::outputConflict(options, gameLevel); !conflict.empty()) {
        throw command_line::Stop(command_line::badInputStatus, conflict);
    }
    // The game takes the level read here rather than read it again, and
    // starts it again from what was read.
    std::optional<game::Level> level;
    if (options.level) level = game::Level::readToKeep(options.level->string());

    const auto player = base::UserFolders::fromEnvironment();
    frontend::SettingsFile settingsFile(
        player.config.empty() ? player.config : player.config / frontend::SettingsFile::fileName, std::cerr);
    const frontend::Settings settings = settingsFile.load();

    std::unique_ptr<runs::OutputFile> trace;
    if (!options.trace.empty()) trace = std::make_unique<runs::OutputFile>(options.trace, "the trace");
    std::unique_ptr<runs::Recorder> recorder;
    if (!options.record.empty()) {
        recorder = std::make_unique<runs::Recorder>(options.record, base::Random::defaultSeed, options.level, true);
    }

    // Runs are checked by vyn-replay, which lies beside this program.
    progress::PlayerProgress progress(player.data, game::ProgramFolders::current().programs / "vyn-replay", std::cerr);
    if (!options.ghost.empty()) raceGhost(options.ghost, level, player, progress);
    sound::SoundPlayer sound(std::cerr);
    std::weak_ptr<frontend::FrontEnd> frontEnd;

    runs::UpdateCounter counter(
        [&](int tick, const game::Main& main) {
            if (trace) trace->writeLine(runs::frontTraceLine(tick, static_cast<const frontend::FrontEnd&>(main)));
            if (recorder) recorder->afterUpdate();
        },
        runs::UpdateCounter::Count::frames);
    game::StartUp startUp;
    startUp.document = [&](const game::Level&) {
        frontend::FrontEnd::Setup setup{frontend::LevelCatalog::standard(player), settings, &settingsFile, level};
        setup.progress = &progress;
        setup.sound = &sound;
        setup.mute = options.mute;
        auto made = std::make_shared<frontend::FrontEnd>(std::move(setup));
        frontEnd = made;
        return made;
    };
    // The window opens as the player left it.
    startUp.fitWindow = settings.fitWindow;
    startUp.fullScreen = settings.fullscreen;
    startUp.stageReady = [&](gfx::display::Stage& stage) {
        if (trace || recorder) counter.attach(stage);
        // Each event goes into the recording asked for and the run's own.
        stage.onNativeEvent = [&](const rt_event& record) {
            if (recorder) recorder->received(record, counter.tick());
            if (auto front = frontEnd.lock()) front->nativeEvent(record);
        };
    };
    game::ApplicationMain::main(game::GameMap::levelFile, startUp);

    int status = 0;
    for (const std::string& failure : {recorder ? recorder->close() : "", trace ? trace->close() : ""}) {
        if (failure.empty()) continue;
        command_line::report(vyn, failure);
        status = command_line::failedStatus;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) { return command_line::runProgram(vyn, argc, argv, runs::parsePlayOptions, play); }
