// The `vyn` program: the game in its window, until the window is closed.
// See programs/vyn/PlayOptions.cpp for the command line, and
// game::ApplicationMain::main for the path from here to the first update.
#include <memory>
#include <string>

#include "base/Random.h"
#include "command_line/ProgramMain.h"
#include "game/ApplicationMain.h"
#include "game/ProgramFolders.h"
#include "programs/vyn/PlayOptions.h"
#include "runs/OutputFile.h"
#include "runs/Recorder.h"
#include "runs/TraceLine.h"
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
    // The game takes the level read here rather than read it again.
    const game::Level level =
        options.level ? game::Level::read(options.level->string()) : game::Level(game::GameMap::levelFile);

    std::unique_ptr<runs::OutputFile> trace;
    if (!options.trace.empty()) trace = std::make_unique<runs::OutputFile>(options.trace, "the trace");
    std::unique_ptr<runs::Recorder> recorder;
    if (!options.record.empty()) {
        recorder = std::make_unique<runs::Recorder>(options.record, base::Random::defaultSeed, options.level);
    }

    runs::UpdateCounter counter([&](int tick, const game::Game& game) {
        if (trace) trace->writeLine(runs::traceLine(tick, game));
        if (recorder) recorder->afterUpdate();
    });
    game::StartUp startUp;
    startUp.stageReady = [&](gfx::display::Stage& stage) {
        if (!trace && !recorder) return;
        counter.attach(stage);
        if (recorder) {
            stage.onNativeEvent = [&](const rt_event& record) { recorder->received(record, counter.tick()); };
        }
    };
    game::ApplicationMain::main(level, startUp);

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
