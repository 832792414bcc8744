#pragma once

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "display/DisplayObjectContainer.h"
#include "display/InteractiveObject.h"
#include "runtime/contract/gfxrt.h"

namespace gfx::display {

// Where the stage's area lies in a window of another shape (scale modes
// other than NO_SCALE): against an edge or a corner, or in the middle.
enum class StageAlign { TOP, BOTTOM, LEFT, RIGHT, TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT, CENTER };
// How the stage's area (its size when made, stageWidth × stageHeight) meets
// the window:
//  - NO_SCALE: one stage pixel per window pixel from the window's top-left
//    corner, whatever the alignment; the stage's size is the window's.
//  - SHOW_ALL: the whole area, scaled alike both ways to fit the window,
//    placed by the alignment; the rest of the window shows the background.
//  - NO_BORDER: scaled alike both ways to cover the window, placed by the
//    alignment; what overflows is cut off.
//  - EXACT_FIT: stretched to the window, each way on its own.
// Scaled, the stage's size stays that of its area and the module draws the
// tree at the window's resolution; mouse events come in stage coordinates.
enum class StageScaleMode { SHOW_ALL, NO_SCALE, NO_BORDER, EXACT_FIT };
enum class StageDisplayState { NORMAL, FULL_SCREEN };

// The root of the display tree and the program's one connection to the
// native event loop. The module calls the stage's handler with every native
// event; the stage turns it into keyboard, mouse, focus and frame events,
// delivers them, and before returning tells the module when to call again.
// Nothing the program throws unwinds through the module (runMainFrame).
//
// The stage's area is its size when made; scaleMode says how it fits the
// window. F11, and Alt+Enter, switch between full screen and a window (a
// key's auto-repeat does not switch again); "fullScreen" (Event::FULL_SCREEN)
// goes to the stage's own listeners whenever the display state changes.
//
// The frame clock: at frameRate frames per second the stage broadcasts
// "enterFrame" to the whole tree and then has the module draw it. No frame is
// ever caught up: the next one is timed from the last draw.
class Stage : public DisplayObjectContainer {
public:
    // Modifier and state bits of a native event's flags.
    static constexpr int efLeftDown = RT_EF_LEFT_DOWN;
    static constexpr int efShiftDown = RT_EF_SHIFT_DOWN;
    static constexpr int efCtrlDown = RT_EF_CTRL_DOWN;
    static constexpr int efAltDown = RT_EF_ALT_DOWN;
    static constexpr int efCommandDown = RT_EF_COMMAND_DOWN;
    static constexpr int efLocationRight = RT_EF_LOCATION_RIGHT;
    static constexpr int efNoNativeClick = RT_EF_NO_NATIVE_CLICK;
    static constexpr int efRepeat = RT_EF_REPEAT;
    // Switches the display state, as Alt+Enter does.
    static constexpr int fullScreenKey = RT_KEY_F1 + 10;

    // The module calls the next poll this long before a frame is due.
    static constexpr double earlyWakeup = 0.005;
    // Two left clicks closer than this make a double click.
    static constexpr double doubleClickTime = 0.25;

    // Accepts or refuses an interface orientation; null refuses all.
    static inline std::function<bool(int orientation)> shouldRotateInterface;

    // Takes the module's stage node and installs the event handler.
    Stage(rt_node* handle, int width, int height);
    ~Stage() override;

    // Runs a main frame of the module (rt_create_main_frame) and returns
    // when it closes. An exception the program throws inside a native
    // callback (args.on_frame, or a stage's handler) is caught there, before
    // it reaches the module; the main frame closes, no more events reach the
    // program, and the exception is rethrown here once the module has
    // returned.
    static void runMainFrame(const rt_main_frame_args& args);

    [[nodiscard]] double get_frameRate() const { return frameRate_; }
    double set_frameRate(double value);

    [[nodiscard]] bool get_active() const { return active_; }
    bool pauseWhenDeactivated = true;

    // Replaces the stage's own drawing of a due frame when set.
    std::function<void()> renderRequest;
    // Called on the quit event.
    std::function<void()> onQuit;
    // Every native event record, before the stage handles it.
    std::function<void(const rt_event&)> onNativeEvent;
    // Raw character events: code, down, character, flags.
    std::function<void(int, bool, int, int)> onKey;

    // Both take effect at once, for drawing and for the mouse.
    [[nodiscard]] StageAlign get_align() const { return align_; }
    StageAlign set_align(StageAlign value);
    [[nodiscard]] StageScaleMode get_scaleMode() const { return scaleMode_; }
    StageScaleMode set_scaleMode(StageScaleMode value);

    // The window's size with NO_SCALE; the stage's area otherwise.
    [[nodiscard]] int get_stageWidth() const;
    [[nodiscard]] int get_stageHeight() const;
    [[nodiscard]] StageDisplayState get_displayState() const;
    // Dispatches "fullScreen" when the state changes.
    StageDisplayState set_displayState(StageDisplayState state);
    int set_color(int rgb);

    // The next frame also broadcasts "render".
    void invalidate() { invalid_ = true; }

    [[nodiscard]] Stage* get_stage() const override { return const_cast<Stage*>(this); }

private:
    static void handleNativeEvent(void* context, rt_event* event);
    void processStageEvent(rt_event& event);
    void doProcessStageEvent(rt_event& event);

    void handleKey(rt_event& event, const std::string& type);
    void handleMouse(rt_event& event, std::string type);
    void handleResize();
    // Works out how the stage lies in the window now and tells the module.
    void updateView();
    void handleFocus(rt_event& event);
    void setActive(bool value);
    void pollTimers();
    void render(bool sendEnterFrame);
    double updateNextWake();

    // The object the event names, with its interactive ancestors, innermost
    // first (the object itself only when it is interactive).
    [[nodiscard]] std::vector<DisplayObjectPtr> interactiveStack(int id);
    // Capture phase from the outermost object in, the innermost object at
    // target, then the bubble phase outwards.
    static void fireEvent(const events::EventPtr& event, const std::vector<DisplayObjectPtr>& stack);
    void updateMouseOver(const std::vector<DisplayObjectPtr>& stack, const std::shared_ptr<events::Event>& cause);
    [[nodiscard]] double now() const;

    rt_stage_handler handler_;
    int areaWidth_;
    int areaHeight_;
    StageAlign align_ = StageAlign::TOP_LEFT;
    StageScaleMode scaleMode_ = StageScaleMode::NO_SCALE;
    rt_view view_{1, 1, 0, 0, 0, 0, 0};
    double frameRate_ = 100;
    double framePeriod_ = 0.01;
    double lastRender_ = 0;
    bool active_ = true;
    bool invalid_ = false;
    std::array<std::weak_ptr<DisplayObject>, 3> lastDown_;
    // No click yet: a first click early in the run is never a double click.
    double lastClickTime_ = -std::numeric_limits<double>::infinity();
    std::vector<std::weak_ptr<DisplayObject>> mouseOverStack_;
};

using StagePtr = std::shared_ptr<Stage>;

}  // namespace gfx::display
