#pragma once

#include <memory>
#include <unordered_map>

#include "display/DisplayObject.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"

namespace game {

// Keeps the keyboard's state between frames so that systems can poll it:
// which keys are down, which went down and which came up since the last
// clearNewKeys (KeyPollSystem calls it at the end of every update). Losing or
// regaining the application's focus forgets every key.
class KeyPoll {
public:
    // Listens to "keyDown", "keyUp", "activate" and "deactivate" on the
    // object (the game passes the stage).
    explicit KeyPoll(const std::shared_ptr<gfx::display::DisplayObject>& dispObj);

    KeyPoll(const KeyPoll&) = delete;
    KeyPoll& operator=(const KeyPoll&) = delete;

    void reset();
    void clearNewKeys();

    bool isDown(int keyCode) const;
    bool isUp(int keyCode) const { return !isDown(keyCode); }
    bool isDownRecently(int keyCode) const;
    bool isUpRecently(int keyCode) const;

    void keyDownListener(const gfx::events::EventPtr& event);
    void keyUpListener(const gfx::events::EventPtr& event);
    void activateListener(const gfx::events::EventPtr& event);
    void deactivateListener(const gfx::events::EventPtr& event);

    std::unordered_map<int, bool> states;
    std::unordered_map<int, bool> recentlyDown;
    std::unordered_map<int, bool> recentlyUp;
    // Not owned: the poller stops listening when it goes.
    std::weak_ptr<gfx::display::DisplayObject> dispObj;

private:
    base::Connection onKeyDown_;
    base::Connection onKeyUp_;
    base::Connection onActivate_;
    base::Connection onDeactivate_;
};

}  // namespace game
