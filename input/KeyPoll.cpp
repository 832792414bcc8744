#include "input/KeyPoll.h"

#include "display/events/KeyboardEvent.h"

namespace game {

namespace {

bool holds(const std::unordered_map<int, bool>& map, int keyCode) {
    auto found = map.find(keyCode);
    return found != map.end() && found->second;
}

int keyCodeOf(const gfx::events::EventPtr& event) {
    return static_cast<const gfx::events::KeyboardEvent&>(*event).keyCode;
}

}  // namespace

KeyPoll::KeyPoll(const std::shared_ptr<gfx::display::DisplayObject>& object) {
    reset();
    dispObj = object;
    onKeyDown_ = object->connectEventListener(gfx::events::KeyboardEvent::KEY_DOWN, {this, &KeyPoll::keyDownListener});
    onKeyUp_ = object->connectEventListener(gfx::events::KeyboardEvent::KEY_UP, {this, &KeyPoll::keyUpListener});
    onActivate_ = object->connectEventListener(gfx::events::Event::ACTIVATE, {this, &KeyPoll::activateListener});
    onDeactivate_ = object->connectEventListener(gfx::events::Event::DEACTIVATE, {this, &KeyPoll::deactivateListener});
}

void KeyPoll::reset() {
    states.clear();
    clearNewKeys();
}

void KeyPoll::clearNewKeys() {
    recentlyDown.clear();
    recentlyUp.clear();
}

bool KeyPoll::isDown(int keyCode) const { return holds(states, keyCode); }
bool KeyPoll::isDownRecently(int keyCode) const { return holds(recentlyDown, keyCode); }
bool KeyPoll::isUpRecently(int keyCode) const { return holds(recentlyUp, keyCode); }

void KeyPoll::keyDownListener(const gfx::events::EventPtr& event) {
    const int keyCode = keyCodeOf(event);
    // Auto-repeat sends more key-downs; only the first one is news.
    if (isUp(keyCode)) recentlyDown[keyCode] = true;
    states[keyCode] = true;
}

void KeyPoll::keyUpListener(const gfx::events::EventPtr& event) {
    const int keyCode = keyCodeOf(event);
    if (isDown(keyCode)) recentlyUp[keyCode] = true;
    states.erase(keyCode);
}

void KeyPoll::activateListener(const gfx::events::EventPtr&) { reset(); }

void KeyPoll::deactivateListener(const gfx::events::EventPtr&) { reset(); }

}  // namespace game
