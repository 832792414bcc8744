// What a module supplies to the event loop it shares with the other module
// (EventLoop): its clock, its native events and its window (or image). Each
// module defines platform().
#ifndef VYN_RUNTIME_COMMON_PLATFORM_H
#define VYN_RUNTIME_COMMON_PLATFORM_H

#include "runtime/contract/gfxrt.h"

namespace gfxrt {

class Stage;

class Platform {
public:
    virtual ~Platform() = default;

    // The clock: seconds, never decreasing.
    [[nodiscard]] virtual double now() = 0;

    // What ended a wait.
    enum class Wake {
        Event,  // a native event came; it is in the event record
        Time,   // the clock has reached the time
        Never   // the time will never come and no event is left: the loop ends
    };
    // Waits until the clock reaches `time` or a native event comes, whichever
    // is first. A module leaves an event's "id" 0 for the loop to fill in
    // (the headless driver may push one with an id of its own). A resize
    // event has already resized the module's own window or image.
    [[nodiscard]] virtual Wake waitFor(double time, rt_event& event) = 0;
    // Lets the clock reach `time`, leaving native events where they are.
    virtual void sleepUntil(double time) = 0;
    // Called after the program's handler has returned from an event.
    virtual void delivered(const rt_event& event) = 0;

    // The size and display state of a window that has just opened.
    struct Window {
        int width = 0;
        int height = 0;
        int displayState = RT_DISPLAY_NORMAL;
    };
    // Opens the window (or image) of a main frame: false when it cannot, and
    // the main frame does not run.
    [[nodiscard]] virtual bool openWindow(const rt_main_frame_args& args, Window& opened) = 0;
    // Closes it when the main frame ends, however it ends.
    virtual void closeWindow() = 0;
    // Draws the stage's tree and shows it.
    virtual void present(Stage& stage) = 0;
    virtual void setDisplayState(Stage& stage, int state) = 0;
};

Platform& platform();

}  // namespace gfxrt

#endif
