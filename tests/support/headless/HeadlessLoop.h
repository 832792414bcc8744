#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "display/Stage.h"
#include "runtime/contract/gfxrt_headless.h"

// Runs a stage on the headless display module: virtual clock, scripted
// native events, frames drawn into memory.
class HeadlessLoop {
public:
    // What the handler saw: the event after the handler returned, the clock
    // and the number of frames drawn so far.
    struct Seen {
        rt_event event;
        double time;
        int renders;
    };

    HeadlessLoop();
    ~HeadlessLoop();

    // The module's driver table.
    static const rth_api& api();

    // Opens the stage (clock at 0), makes the program's Stage, calls setup,
    // then runs the loop until the clock would pass endTime. What setup or a
    // listener throws ends the loop and comes out of run.
    void run(double endTime, const std::function<void(gfx::display::Stage&)>& setup, int width = 400, int height = 300);

    // A record for push_event / push_event_at.
    static rt_event event(int type, int value = 0, int id = 0, int x = 0, int y = 0, int flags = 0, int code = 0);

    std::shared_ptr<gfx::display::Stage> stage;
    std::vector<Seen> seen;
};
