// The event loop of a main frame, the same in every module: it opens the
// stage, hands the program its frame, then calls the stage's handler with
// every native event and with a poll whenever the program's wake time has
// come, until the main frame closes. What differs between the modules (the
// clock, where events come from, the window) is behind Platform.
#ifndef VYN_RUNTIME_COMMON_EVENTLOOP_H
#define VYN_RUNTIME_COMMON_EVENTLOOP_H

#include "runtime/common/Platform.h"
#include "runtime/contract/gfxrt.h"

namespace gfxrt {

class Stage;

class EventLoop {
public:
    // How close together polls come.
    struct Pacing {
        // Two polls never share a clock time: a poll that would come at the
        // previous one's time or earlier comes this long after it, so a clock
        // that stands still between events (a virtual one) still moves on.
        double minStep = 0.001;
        // Polls come at least this far apart whatever the program asks, so that
        // a program that keeps asking to be woken at once never makes a
        // real-time loop spin; 0 for no such limit.
        double minGap = 0;
    };

    EventLoop(Platform& platform, Pacing pacing) : pacing(pacing), platform_(platform) {}

    // rt_create_main_frame: opens the window and the stage, calls on_frame
    // once, then runs until the main frame closes: on close(), after a quit
    // event has been handled, when the program has no handler installed, or
    // when nothing can come any more. A second main frame while one runs is
    // refused. However the main frame ends (even by an exception of the
    // program's unwinding through here) the module is ready for the next one.
    void run(const rt_main_frame_args& args);
    // Ends the loop once the current handler call is over.
    void close() { closed_ = true; }
    [[nodiscard]] bool running() const { return running_; }

    Pacing pacing;

private:
    void loop(Stage& stage);
    void deliver(Stage& stage, rt_event& event);
    void end();

    Platform& platform_;
    bool running_ = false;
    bool closed_ = false;
};

// The module's loop, over its platform().
EventLoop& eventLoop();

}  // namespace gfxrt

#endif
