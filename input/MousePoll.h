#pragma once

#include <memory>

#include "display/DisplayObject.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "geom/Point.h"

namespace game {

// Keeps the mouse's last stage position and whether the left button was
// down at the last button event. The stage is never scaled, so stage
// coordinates are window pixels.
class MousePoll {
public:
    // Listens to "mouseMove", "mouseDown" and "mouseUp" on the object (the
    // game passes the stage).
    explicit MousePoll(const std::shared_ptr<gfx::display::DisplayObject>& dispObj);

    MousePoll(const MousePoll&) = delete;
    MousePoll& operator=(const MousePoll&) = delete;

    void mouseMoveListener(const gfx::events::EventPtr& event);
    void mouseClickListener(const gfx::events::EventPtr& event);

    // A new point at the last position.
    std::shared_ptr<gfx::geom::Point> mousePos() const;

    // Not owned: the poller stops listening when it goes.
    std::weak_ptr<gfx::display::DisplayObject> dispObj;
    double mouseX = 0;
    double mouseY = 0;
    bool mouseLeftIsDown = false;

private:
    base::Connection onMouseMove_;
    base::Connection onMouseDown_;
    base::Connection onMouseUp_;
};

}  // namespace game
