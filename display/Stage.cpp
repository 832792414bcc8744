#include "display/Stage.h"

#include <algorithm>
#include <utility>

#include "display/NativePrimitives.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"

namespace gfx::display {

namespace {

const native::StagePrimitives& prim() { return native::StagePrimitives::get(); }

// Per mouse button (left, middle, right): the types of its events.
const std::array<std::string, 3> downEvents{"mouseDown", "middleMouseDown", "rightMouseDown"};
const std::array<std::string, 3> upEvents{"mouseUp", "middleMouseUp", "rightMouseUp"};
const std::array<std::string, 3> clickEvents{"click", "middleClick", "rightClick"};

// No program timers exist: without a frame to wait for, sleep "for ever".
constexpr double noTimerWake = 315000000.0;

std::shared_ptr<DisplayObject> shared(DisplayObject* object) {
    return std::static_pointer_cast<DisplayObject>(object->weak_from_this().lock());
}

}  // namespace

Stage::Stage(rt_handle handle, int width, int height)
    : DisplayObjectContainer(handle, "Stage"), handler_{&Stage::handleNativeEvent, this} {
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

int Stage::get_stageWidth() const { return prim().getStageWidth(handle()); }
int Stage::get_stageHeight() const { return prim().getStageHeight(handle()); }

StageDisplayState Stage::get_displayState() const {
    return prim().getDisplayState(handle()) != 0 ? StageDisplayState::FULL_SCREEN : StageDisplayState::NORMAL;
}

StageDisplayState Stage::set_displayState(StageDisplayState state) {
    prim().setDisplayState(handle(), state == StageDisplayState::FULL_SCREEN ? 1 : 0);
    return state;
}

int Stage::set_color(int rgb) {
    prim().setColor(handle(), rgb);
    return rgb;
}

double Stage::now() const { return prim().timeStamp(); }

void Stage::handleNativeEvent(void* context, rt_event* event) {
    if (context != nullptr && event != nullptr) static_cast<Stage*>(context)->processStageEvent(*event);
}

void Stage::processStageEvent(rt_event& event) {
    // A listener may drop the last outside reference to the stage.
    auto keepAlive = weak_from_this().lock();
    doProcessStageEvent(event);
}

void Stage::doProcessStageEvent(rt_event& event) {
    switch (event.type) {
        case 1: handleKey(event, events::KeyboardEvent::KEY_DOWN); break;
        case 2:
            if (onKey) onKey(event.code, event.down != 0, event.char_code, event.flags);
            break;
        case 3: handleKey(event, events::KeyboardEvent::KEY_UP); break;
        case 4: handleMouse(event, events::MouseEvent::MOUSE_MOVE); break;
        case 5: handleMouse(event, events::MouseEvent::MOUSE_DOWN); break;
        case 6: handleMouse(event, events::MouseEvent::CLICK); break;
        case 7: handleMouse(event, events::MouseEvent::MOUSE_UP); break;
        case 8:
            handleResize();
            if (!renderRequest) render(false);
            break;
        case 9: pollTimers(); break;
        case 10:
            if (onQuit) onQuit();
            break;
        case 11: handleFocus(event); break;
        case 12:
            if (shouldRotateInterface && shouldRotateInterface(event.value)) event.result = 2;
            break;
        case 14: render(true); break;
        case 20: setActive(true); break;
        case 21: setActive(false); break;
        case 22: dispatchEvent(std::make_shared<events::Event>(events::Event::FOCUS_IN)); break;
        case 23: dispatchEvent(std::make_shared<events::Event>(events::Event::FOCUS_OUT)); break;
        default: break;  // touch, text input, joysticks and system messages: not sent to this program
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
    int keyCode = record.value;
    if (keyCode >= 96 && keyCode <= 122) keyCode -= 32;
    auto event = std::make_shared<events::KeyboardEvent>(
        type, true, true, record.code, keyCode, (flags & efLocationRight) != 0 ? 0 : 1, (flags & efCtrlDown) != 0,
        (flags & efAltDown) != 0, (flags & efShiftDown) != 0, (flags & efCtrlDown) != 0,
        (flags & efCommandDown) != 0);
    fireEvent(event, stack);
    if (event->isCancelled()) {
        record.result = 1;
        return;
    }
    if (type == events::KeyboardEvent::KEY_DOWN && record.code == 13 && (flags & efAltDown) != 0) {
        set_displayState(get_displayState() == StageDisplayState::NORMAL ? StageDisplayState::FULL_SCREEN
                                                                           : StageDisplayState::NORMAL);
    }
}

void Stage::handleMouse(rt_event& record, std::string type) {
    const int button = record.value;
    int delta = 0;
    // A negative button is no button of any mouse.
    if (type == events::MouseEvent::MOUSE_DOWN) {
        if (button < 0 || button > 2) return;
        type = downEvents[static_cast<std::size_t>(button)];
    } else if (type == events::MouseEvent::MOUSE_UP) {
        if (button < 0) return;
        if (button > 2) {
            type = events::MouseEvent::MOUSE_WHEEL;
            delta = button == 3 ? 1 : -1;
        } else {
            type = upEvents[static_cast<std::size_t>(button)];
        }
    }

    const auto stack = interactiveStack(record.id);
    const int flags = record.flags;
    auto makeEvent = [&](const std::string& eventType, const DisplayObjectPtr& target) {
        geom::Point local(record.x, record.y);
        if (target) local = *target->globalToLocal(local);
        auto event = std::make_shared<events::MouseEvent>(
            eventType, true, true, local.x, local.y, nullptr, (flags & efCtrlDown) != 0, (flags & efAltDown) != 0,
            (flags & efShiftDown) != 0, (flags & efLeftDown) != 0, delta, (flags & efCommandDown) != 0);
        event->stageX = record.x;
        event->stageY = record.y;
        return event;
    };

    auto event = makeEvent(type, stack.empty() ? nullptr : stack.front());
    updateMouseOver(stack, event);
    fireEvent(event, stack);

    // Clicks go to the object that also got the button-down.
    DisplayObjectPtr clickObject = stack.empty() ? shared(this) : stack.front();
    if (button < 0 || button > 2 || !clickObject) return;
    auto& lastDown = lastDown_[static_cast<std::size_t>(button)];
    if (type == downEvents[static_cast<std::size_t>(button)]) {
        lastDown = clickObject;
    } else if (type == upEvents[static_cast<std::size_t>(button)]) {
        if (lastDown.lock() == clickObject) {
            const std::vector<DisplayObjectPtr> target{clickObject};
            fireEvent(makeEvent(clickEvents[static_cast<std::size_t>(button)], clickObject), stack.empty() ? target : stack);
            auto interactive = std::dynamic_pointer_cast<InteractiveObject>(clickObject);
            if (button == 0 && interactive && interactive->doubleClickEnabled) {
                const double time = now();
                if (time - lastClickTime_ < doubleClickTime) {
                    fireEvent(makeEvent(events::MouseEvent::DOUBLE_CLICK, clickObject),
                              stack.empty() ? target : stack);
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

void Stage::handleResize() { dispatchEvent(std::make_shared<events::Event>(events::Event::RESIZE)); }

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
    if (!paused && frameRate_ > 0) wake = std::min(wake, lastRender_ + framePeriod_ - now() - earlyWakeup);
    prim().setNextWake(handle(), wake);
    return wake;
}

}  // namespace gfx::display
