#include "display/Stage.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "display/NativePrimitives.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"

namespace gfx::display {

namespace {

const native::StagePrimitives& prim() { return native::StagePrimitives::get(); }

// Per mouse button (RT_BUTTON_LEFT, _MIDDLE, _RIGHT): the types of its events.
const std::array<std::string, 3> downEvents{"mouseDown", "middleMouseDown", "rightMouseDown"};
const std::array<std::string, 3> upEvents{"mouseUp", "middleMouseUp", "rightMouseUp"};
const std::array<std::string, 3> clickEvents{"click", "middleClick", "rightClick"};

// No program timers exist: without a frame to wait for, sleep "for ever".
constexpr double noTimerWake = 315000000.0;
constexpr double dueMargin = 1e-9;
// An early wake closer than this is as good as done.
constexpr double wakeSlack = 0.0005;

std::shared_ptr<DisplayObject> shared(DisplayObject* object) {
    return std::static_pointer_cast<DisplayObject>(object->weak_from_this().lock());
}

// What the program threw inside a native callback of the running main frame,
// kept until the module has returned from it.
std::exception_ptr callbackFailure;

// Runs the program's part of a native callback. What it throws ends there:
// the main frame closes and the first such exception is kept.
template <class Body>
void guarded(const Body& body) {
    try {
        body();
    } catch (...) {
        if (!callbackFailure) callbackFailure = std::current_exception();
        prim().close();
    }
}

void callFrame(void* context, rt_main_frame* frame) {
    const auto& onFrame = *static_cast<const rt_frame_callback*>(context);
    if (onFrame.fn != nullptr) guarded([&] { onFrame.fn(onFrame.context, frame); });
}

}  // namespace

void Stage::runMainFrame(const rt_main_frame_args& args) {
    rt_frame_callback onFrame = args.on_frame;
    rt_main_frame_args guardedArgs = args;
    guardedArgs.on_frame = {&callFrame, &onFrame};
    prim().createMainFrame(&guardedArgs);
    if (auto failure = std::exchange(callbackFailure, nullptr)) std::rethrow_exception(failure);
}

Stage::Stage(rt_node* handle, int width, int height)
    : DisplayObjectContainer(handle, "Stage"),
      handler_{&Stage::handleNativeEvent, this},
      areaWidth_(std::max(width, 0)),
      areaHeight_(std::max(height, 0)) {
    prim().setStageHandler(handle, &handler_, width, height);
    set_frameRate(100);
}

Stage::~Stage() {
    // The module must not call a stage that is gone.
    const rt_stage_handler none{nullptr, nullptr};
    prim().setStageHandler(handle(), &none, 0, 0);
}

double Stage::set_frameRate(double value) {
    frameRate_ = value;
    framePeriod_ = frameRate_ > 0 ? 1.0 / frameRate_ : frameRate_;
    return value;
}

int Stage::get_stageWidth() const {
    return scaleMode_ == StageScaleMode::NO_SCALE ? prim().getStageWidth(handle()) : areaWidth_;
}

int Stage::get_stageHeight() const {
    return scaleMode_ == StageScaleMode::NO_SCALE ? prim().getStageHeight(handle()) : areaHeight_;
}

StageAlign Stage::set_align(StageAlign value) {
    align_ = value;
    updateView();
    return value;
}

StageScaleMode Stage::set_scaleMode(StageScaleMode value) {
    scaleMode_ = value;
    updateView();
    return value;
}

void Stage::updateView() {
    const double windowWidth = prim().getStageWidth(handle());
    const double windowHeight = prim().getStageHeight(handle());
    rt_view view{1, 1, 0, 0, 0, 0, 0};
    // An empty window or area shows nothing whatever the view: it stays one
    // to one rather than divide by zero.
    if (scaleMode_ != StageScaleMode::NO_SCALE && windowWidth > 0 && windowHeight > 0 && areaWidth_ > 0 &&
        areaHeight_ > 0) {
        const double fitX = windowWidth / areaWidth_;
        const double fitY = windowHeight / areaHeight_;
        switch (scaleMode_) {
            case StageScaleMode::SHOW_ALL:
                view.scale_x = view.scale_y = std::min(fitX, fitY);
                break;
            case StageScaleMode::NO_BORDER:
                view.scale_x = view.scale_y = std::max(fitX, fitY);
                break;
            default:
                view.scale_x = fitX;
                view.scale_y = fitY;
                break;
        }
        // The share of the spare room that goes before the area: none against
        // the left or top edge, all of it against the right or bottom one.
        const auto before = [](bool start, bool end) { return start ? 0.0 : end ? 1.0 : 0.5; };
        const StageAlign a = align_;
        const double alignX =
            before(a == StageAlign::LEFT || a == StageAlign::TOP_LEFT || a == StageAlign::BOTTOM_LEFT,
                   a == StageAlign::RIGHT || a == StageAlign::TOP_RIGHT || a == StageAlign::BOTTOM_RIGHT);
        const double alignY =
            before(a == StageAlign::TOP || a == StageAlign::TOP_LEFT || a == StageAlign::TOP_RIGHT,
                   a == StageAlign::BOTTOM || a == StageAlign::BOTTOM_LEFT || a == StageAlign::BOTTOM_RIGHT);
        // Whole pixels: the bars' edges stay sharp.
        view.x = std::round((windowWidth - view.scale_x * areaWidth_) * alignX);
        view.y = std::round((windowHeight - view.scale_y * areaHeight_) * alignY);
        view.clip = 1;
        view.width = areaWidth_;
        view.height = areaHeight_;
    }
    view_ = view;
    prim().setView(handle(), &view_);
}

StageDisplayState Stage::get_displayState() const {
    return prim().getDisplayState(handle()) == RT_DISPLAY_FULL_SCREEN ? StageDisplayState::FULL_SCREEN
                                                                      : StageDisplayState::NORMAL;
}

StageDisplayState Stage::set_displayState(StageDisplayState state) {
    const StageDisplayState before = get_displayState();
    prim().setDisplayState(handle(),
                           state == StageDisplayState::FULL_SCREEN ? RT_DISPLAY_FULL_SCREEN : RT_DISPLAY_NORMAL);
    if (get_displayState() != before) dispatchEvent(std::make_shared<events::Event>(events::Event::FULL_SCREEN));
    return state;
}

int Stage::set_color(int rgb) {
    prim().setColor(handle(), rgb);
    return rgb;
}

double Stage::now() const { return prim().timeStamp(); }

void Stage::handleNativeEvent(void* context, rt_event* event) {
    // After a failure the main frame is closing: the program hears no more.
    if (context != nullptr && event != nullptr && !callbackFailure) {
        static_cast<Stage*>(context)->processStageEvent(*event);
    }
}

void Stage::processStageEvent(rt_event& event) {
    // A listener may drop the last outside reference to the stage.
    auto keepAlive = weak_from_this().lock();
    guarded([&] { doProcessStageEvent(event); });
}

void Stage::doProcessStageEvent(rt_event& event) {
    if (onNativeEvent) onNativeEvent(event);
    switch (event.type) {
        case RT_EVENT_KEY_DOWN:
            handleKey(event, events::KeyboardEvent::KEY_DOWN);
            break;
        case RT_EVENT_CHAR:
            if (onKey) onKey(event.code, event.down != 0, event.char_code, event.flags);
            break;
        case RT_EVENT_KEY_UP:
            handleKey(event, events::KeyboardEvent::KEY_UP);
            break;
        case RT_EVENT_MOUSE_MOVE:
            handleMouse(event, events::MouseEvent::MOUSE_MOVE);
            break;
        case RT_EVENT_MOUSE_DOWN:
            handleMouse(event, events::MouseEvent::MOUSE_DOWN);
            break;
        case RT_EVENT_MOUSE_CLICK:
            handleMouse(event, events::MouseEvent::CLICK);
            break;
        case RT_EVENT_MOUSE_UP:
            handleMouse(event, events::MouseEvent::MOUSE_UP);
            break;
        case RT_EVENT_RESIZE:
            handleResize();
            if (!renderRequest) render(false);
            break;
        case RT_EVENT_POLL:
            pollTimers();
            break;
        case RT_EVENT_QUIT:
            if (onQuit) onQuit();
            break;
        case RT_EVENT_FOCUS:
            handleFocus(event);
            break;
        case RT_EVENT_SHOULD_ROTATE:
            if (shouldRotateInterface && shouldRotateInterface(event.value)) event.result = RT_RESULT_ROTATE;
            break;
        case RT_EVENT_REDRAW:
            render(true);
            break;
        case RT_EVENT_ACTIVATE:
            setActive(true);
            break;
        case RT_EVENT_DEACTIVATE:
            setActive(false);
            break;
        case RT_EVENT_GOT_INPUT_FOCUS:
            dispatchEvent(std::make_shared<events::Event>(events::Event::FOCUS_IN));
            break;
        case RT_EVENT_LOST_INPUT_FOCUS:
            dispatchEvent(std::make_shared<events::Event>(events::Event::FOCUS_OUT));
            break;
        default:
            break;  // touch, text input, joysticks and system messages: not sent to this program
    }
    updateNextWake();
}

std::vector<DisplayObjectPtr> Stage::interactiveStack(int id) {
    std::vector<DisplayObjectPtr> stack;
    DisplayObject* object = findByID(id);
    if (object == nullptr) return stack;
    if (object->isInteractive()) {
        if (auto self = shared(object)) stack.push_back(self);
    }
    for (DisplayObject* p = object->get_parent(); p != nullptr; p = p->get_parent()) {
        if (auto ancestor = shared(p)) stack.push_back(ancestor);
    }
    return stack;
}

void Stage::fireEvent(const events::EventPtr& event, const std::vector<DisplayObjectPtr>& stack) {
    if (stack.empty()) return;
    event->target = stack.front().get();
    if (stack.size() > 1) {
        event->eventPhase = events::EventPhase::CAPTURING_PHASE;
        for (std::size_t i = stack.size() - 1; i >= 1; --i) {
            stack[i]->dispatchToSelf(event);
            if (event->isCancelled()) return;
        }
    }
    event->eventPhase = events::EventPhase::AT_TARGET;
    stack.front()->dispatchToSelf(event);
    if (event->isCancelled() || !event->bubbles) return;
    event->eventPhase = events::EventPhase::BUBBLING_PHASE;
    for (std::size_t i = 1; i < stack.size(); ++i) {
        stack[i]->dispatchToSelf(event);
        if (event->isCancelled()) return;
    }
}

void Stage::handleKey(rt_event& record, const std::string& type) {
    const auto stack = interactiveStack(record.id);
    if (stack.empty()) return;
    const int flags = record.flags;
    // The record's value is already the key's code (gfxrt.h): the keypad's
    // keys and F1 to F11 lie among the lower-case letters' character codes.
    const int keyCode = record.value;
    auto event = std::make_shared<events::KeyboardEvent>(
        type, true, true, record.code, keyCode, (flags & efLocationRight) != 0 ? 0 : 1, (flags & efCtrlDown) != 0,
        (flags & efAltDown) != 0, (flags & efShiftDown) != 0, (flags & efCtrlDown) != 0, (flags & efCommandDown) != 0);
    event->repeat = (flags & efRepeat) != 0;
    fireEvent(event, stack);
    if (event->isCancelled()) {
        record.result = RT_RESULT_CANCELLED;
        return;
    }
    // F11 and Alt+Enter switch between full screen and a window, once per
    // press: the key's auto-repeat does not switch back and forth.
    if (type != events::KeyboardEvent::KEY_DOWN || event->repeat) return;
    const bool f11 = record.value == fullScreenKey && (flags & (efCtrlDown | efAltDown | efCommandDown)) == 0;
    const bool altEnter = record.code == rt_key_char(RT_KEY_ENTER, 0, 0) && (flags & efAltDown) != 0;
    if (f11 || altEnter) {
        set_displayState(get_displayState() == StageDisplayState::NORMAL ? StageDisplayState::FULL_SCREEN
                                                                         : StageDisplayState::NORMAL);
    }
}

void Stage::handleMouse(rt_event& record, std::string type) {
    const int button = record.value;
    int delta = 0;
    // A negative button is no button of any mouse.
    if (type == events::MouseEvent::MOUSE_DOWN) {
        if (button < 0 || button > RT_BUTTON_RIGHT) return;
        type = downEvents[static_cast<std::size_t>(button)];
    } else if (type == events::MouseEvent::MOUSE_UP) {
        if (button < 0) return;
        if (button > RT_BUTTON_RIGHT) {
            type = events::MouseEvent::MOUSE_WHEEL;
            delta = button == RT_BUTTON_WHEEL_UP ? 1 : -1;
        } else {
            type = upEvents[static_cast<std::size_t>(button)];
        }
    }

    const auto stack = interactiveStack(record.id);
    const int flags = record.flags;
    // The stage point under the pointer, through the view the module hit-tested with.
    double stageX = record.x;
    double stageY = record.y;
    rt_view_to_stage(&view_, &stageX, &stageY);
    auto makeEvent = [&](const std::string& eventType, const DisplayObjectPtr& target) {
        geom::Point local(stageX, stageY);
        if (target) local = *target->globalToLocal(local);
        auto event = std::make_shared<events::MouseEvent>(
            eventType, true, true, local.x, local.y, nullptr, (flags & efCtrlDown) != 0, (flags & efAltDown) != 0,
            (flags & efShiftDown) != 0, (flags & efLeftDown) != 0, delta, (flags & efCommandDown) != 0);
        event->stageX = stageX;
        event->stageY = stageY;
        return event;
    };

    auto event = makeEvent(type, stack.empty() ? nullptr : stack.front());
    updateMouseOver(stack, event);
    fireEvent(event, stack);

    // Clicks go to the object that also got the button-down.
    DisplayObjectPtr clickObject = stack.empty() ? shared(this) : stack.front();
    if (button < RT_BUTTON_LEFT || button > RT_BUTTON_RIGHT || !clickObject) return;
    auto& lastDown = lastDown_[static_cast<std::size_t>(button)];
    if (type == downEvents[static_cast<std::size_t>(button)]) {
        lastDown = clickObject;
    } else if (type == upEvents[static_cast<std::size_t>(button)]) {
        if (lastDown.lock() == clickObject) {
            const std::vector<DisplayObjectPtr> target{clickObject};
            fireEvent(makeEvent(clickEvents[static_cast<std::size_t>(button)], clickObject),
                      stack.empty() ? target : stack);
            auto interactive = std::dynamic_pointer_cast<InteractiveObject>(clickObject);
            if (button == RT_BUTTON_LEFT && interactive && interactive->doubleClickEnabled) {
                const double time = now();
                if (time - lastClickTime_ < doubleClickTime) {
                    fireEvent(makeEvent(events::MouseEvent::DOUBLE_CLICK, clickObject), stack.empty() ? target : stack);
                }
                lastClickTime_ = time;
            }
        }
        lastDown.reset();
    }
}

void Stage::updateMouseOver(const std::vector<DisplayObjectPtr>& stack, const events::EventPtr& cause) {
    std::vector<DisplayObjectPtr> old;
    for (const auto& weak : mouseOverStack_) {
        if (auto object = weak.lock()) old.push_back(object);
    }
    const DisplayObject* oldInner = old.empty() ? nullptr : old.front().get();
    const DisplayObject* newInner = stack.empty() ? nullptr : stack.front().get();
    if (oldInner == newInner) return;

    auto mouse = std::static_pointer_cast<events::MouseEvent>(cause);
    auto make = [&](const std::string& type, bool bubbles) {
        auto event = std::make_shared<events::MouseEvent>(*mouse);
        event->type = type;
        event->bubbles = bubbles;
        event->eventPhase = events::EventPhase::AT_TARGET;
        event->target = nullptr;
        event->currentTarget = nullptr;
        return event;
    };
    auto contains = [](const std::vector<DisplayObjectPtr>& list, const DisplayObjectPtr& object) {
        return std::find(list.begin(), list.end(), object) != list.end();
    };

    if (!old.empty()) fireEvent(make(events::MouseEvent::MOUSE_OUT, true), old);
    for (const auto& object : old) {
        if (!contains(stack, object)) object->dispatchToSelf(make(events::MouseEvent::ROLL_OUT, false));
    }
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (!contains(old, *it)) (*it)->dispatchToSelf(make(events::MouseEvent::ROLL_OVER, false));
    }
    if (!stack.empty()) fireEvent(make(events::MouseEvent::MOUSE_OVER, true), stack);

    mouseOverStack_.assign(stack.begin(), stack.end());
}

void Stage::handleResize() {
    updateView();
    dispatchEvent(std::make_shared<events::Event>(events::Event::RESIZE));
}

void Stage::handleFocus(rt_event& record) {
    const auto stack = interactiveStack(record.id);
    if (stack.empty()) return;
    const std::string& type = record.value != 0 ? events::Event::FOCUS_IN : events::Event::FOCUS_OUT;
    fireEvent(std::make_shared<events::Event>(type, true), stack);
}

void Stage::setActive(bool value) {
    if (active_ == value) return;
    active_ = value;
    if (!active_) lastRender_ = now();
    broadcast(std::make_shared<events::Event>(active_ ? events::Event::ACTIVATE : events::Event::DEACTIVATE));
    if (active_) pollTimers();
}

void Stage::pollTimers() {
    if (frameRate_ <= 0) return;
    const double time = now();
    if (time >= lastRender_ + framePeriod_) {
        lastRender_ = time;
        if (renderRequest) {
            renderRequest();
        } else {
            render(true);
        }
    }
}

void Stage::render(bool sendEnterFrame) {
    if (!active_) return;
    if (sendEnterFrame) broadcast(std::make_shared<events::Event>(events::Event::ENTER_FRAME));
    if (invalid_) {
        invalid_ = false;
        broadcast(std::make_shared<events::Event>(events::Event::RENDER));
    }
    prim().renderStage(handle());
}

double Stage::updateNextWake() {
    double wake = noTimerWake;
    const bool paused = !active_ && pauseWhenDeactivated;
    if (!paused && frameRate_ > 0) {
        const double untilFrame = lastRender_ + framePeriod_ - now();
        // Once woken early for a frame (give or take the module's rounding),
        // sleep until it is due rather than ask to be polled again at once,
        // which would make the module poll busily. A nanosecond more, so
        // that the module's clock sum lands on the due time or after it.
        const double early = untilFrame - earlyWakeup;
        wake = std::min(wake, early > wakeSlack ? early : untilFrame + dueMargin);
    }
    prim().setNextWake(handle(), wake);
    return wake;
}

}  // namespace gfx::display
