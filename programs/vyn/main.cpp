// The `vyn` program: the game in its window, with the front end around it
// (the title, the panels, the settings), until the window is closed.
// See programs/vyn/PlayOptions.cpp for the command line, and
// game::ApplicationMain::main for the path from here to the first update.
#include <iostream>
#include <memory>
#include <optional>
#include <string>

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
#include "runs/UpdateCounter.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace {

const command_line::Program vyn{"vyn", runs::playUsage, game::ApplicationMain::version};

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
