#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "base/Connection.h"
#include "frontend/FrontEnd.h"
#include "game/ApplicationMain.h"
#include "game/Game.h"
#include "game/Main.h"
#include "progress/PlayerProgress.h"
#include "replay/ReplayOptions.h"
#include "runs/CueLog.h"
#include "runs/NativeEvents.h"
#include "runs/OutputFile.h"
#include "runs/Script.h"
#include "runs/UpdateCounter.h"
#include "runtime/contract/gfxrt_headless.h"
#include "world/Level.h"

namespace replay {

// Runs the game program, as `vyn` does, on the headless display module and
// drives it: after engine update N (with the front end: after frame N) it
// writes update N's trace line, hands
// the script's events of tick N to the module as native event records, and
// saves the frame drawn after update N when a shot asks for it. The run
// ends after the last update, when the game's window is closed, or when
// the window stays inactive with nothing left in the script.
class Replay {
public:
    // What a run writes; each may be null (not written).
    struct Outputs {
        runs::OutputFile* trace = nullptr;
        // The cues sounded (runs::CueLog).
        runs::OutputFile* sounds = nullptr;
    };

    // Plays the level the options name (the game's own without one), or
    // `level` when it was read ahead.
    Replay(const rth_api& api, ReplayOptions options, runs::Script script, Outputs outputs,
           std::optional<game::Level> level = std::nullopt);
    ~Replay();

    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Runs the game; returns the process exit status.
    int run();

private:
    static void hook(void* context, int what, const rt_event* event);
    void onHook(int what, const rt_event* event);
    // Listens to the stage once it exists.
    void attach();
    void afterUpdate(int tick, const game::Main& main);
    // The document the run starts with: the front end, or the game alone.
    game::StartUp startUp();
    void afterRender();
    void afterEvent(const rt_event& event);
    // Hands the next script event to the module.
    void push(const runs::ScriptEvent& event);

    const rth_api& api_;
    ReplayOptions options_;
    game::Level level_;
    runs::Script script_;
    runs::OutputFile* trace_;
    // The cues sounded, when they are written: told by the front end, or
    // else by each game as it is built.
    std::unique_ptr<runs::CueLog> cueLog_;
    base::Connection gameCues_;
    int lastTick_ = 0;
    std::size_t nextEvent_ = 0;
    std::vector<bool> shotTaken_;
    bool attached_ = false;
    bool shotFailed_ = false;
    bool finished_ = false;
    bool stalled_ = false;
    // The update that won the game, watched for --check-win.
    std::optional<int> wonAt_;
    // Input state the native records carry in their flags.
    runs::InputState input_;
    // Attached to the stage once it exists.
    runs::UpdateCounter counter_;
    // With the front end: the player's progress it keeps, as vyn does.
    std::unique_ptr<progress::PlayerProgress> progress_;
    std::weak_ptr<frontend::FrontEnd> frontEnd_;
};

}  // namespace replay
