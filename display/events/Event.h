#pragma once

#include <memory>
#include <string>

#include "display/events/EventPhase.h"

namespace gfx::events {

class EventDispatcher;

// An event delivered to listeners. Events are shared (std::shared_ptr);
// `target` and `currentTarget` are plain references that are valid while the
// event is being delivered.
class Event {
public:
    static inline const std::string ACTIVATE = "activate";
    static inline const std::string ADDED = "added";
    static inline const std::string ADDED_TO_STAGE = "addedToStage";
    static inline const std::string CHANGE = "change";
    static inline const std::string CLOSE = "close";
    static inline const std::string COMPLETE = "complete";
    static inline const std::string DEACTIVATE = "deactivate";
    static inline const std::string ENTER_FRAME = "enterFrame";
    static inline const std::string FOCUS_IN = "focusIn";
    static inline const std::string FOCUS_OUT = "focusOut";
    static inline const std::string FULL_SCREEN = "fullScreen";
    static inline const std::string REMOVED = "removed";
    static inline const std::string REMOVED_FROM_STAGE = "removedFromStage";
    static inline const std::string RENDER = "render";
    static inline const std::string RESIZE = "resize";

    explicit Event(std::string type, bool bubbles = false, bool cancelable = false);
    virtual ~Event() = default;

    std::string type;
    bool bubbles;
    bool cancelable;
    EventPhase eventPhase = EventPhase::AT_TARGET;
    EventDispatcher* target = nullptr;
    EventDispatcher* currentTarget = nullptr;

    // No further objects receive the event; only for cancelable events.
    void stopPropagation();
    // No further listeners receive the event; only for cancelable events.
    void stopImmediatePropagation();

    [[nodiscard]] bool isCancelled() const { return isCancelled_; }
    [[nodiscard]] bool isCancelledNow() const { return isCancelledNow_; }

    [[nodiscard]] virtual std::string toString() const;

private:
    bool isCancelled_ = false;
    bool isCancelledNow_ = false;
};

using EventPtr = std::shared_ptr<Event>;

}  // namespace gfx::events
