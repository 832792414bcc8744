#pragma once

#include <cstdio>
#include <memory>
#include <vector>

#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "game/Main.h"
#include "runtime/include/gfxrt_headless.h"
#include "tools/replay/ReplayOptions.h"
#include "tools/replay/ReplayScript.h"

namespace replay {

// Runs the game program, as `vyn` does, on the headless display module and
// drives it: after engine update N it writes update N's trace line, hands
// the script's events of tick N to the module as native event records, and
// saves the frame drawn after update N when a shot asks for it. The run
// ends after the last update, when the game's window is closed, or when
// the window stays inactive with nothing left in the script.
class Replay {
public:
    // `trace` may be null (no trace).
    Replay(const rth_api& api, ReplayOptions options, Script script, std::FILE* trace);
    ~Replay();

    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Runs the game; returns the process exit status.
    int run();
    // The errno of a failed trace write, which ended the run early; 0 when
    // every write went through.
    [[nodiscard]] int traceError() const { return traceError_; }

private:
    static void hook(void* context, int what, const rt_event* event);
    void onHook(int what, const rt_event* event);
    // Listens to the stage once it exists.
    void attach();
    // The stage's own "enterFrame" comes after every other object's,
    // hence after the engine update of the frame.
    void afterFrame(const gfx::events::EventPtr& event);
    void afterRender();
    void afterEvent(const rt_event& event);
    // Hands the next script event to the module.
    void push(const ScriptEvent& event);
    std::shared_ptr<game::Main> findMain() const;

    const rth_api& api_;
    ReplayOptions options_;
    Script script_;
    std::FILE* trace_;
    int lastTick_ = 0;
    std::size_t nextEvent_ = 0;
    std::vector<bool> shotTaken_;
    bool attached_ = false;
    bool shotFailed_ = false;
    bool finished_ = false;
    bool stalled_ = false;
    int traceError_ = 0;
    // Input state the native records carry in their flags.
    bool shiftDown_ = false;
    bool leftDown_ = false;
    // `afterFrame` on the stage, once attached.
    base::Connection onFrame_;
};

}  // namespace replay
