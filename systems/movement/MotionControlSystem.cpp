#include "systems/movement/MotionControlSystem.h"

#include <cmath>
#include <utility>

#include "display/events/KeyboardEvent.h"
#include "ecs/core/Engine.h"

namespace systems {

using gfx::events::KeyboardEvent;

namespace {

// The key of a keyboard event; none for any other kind of event.
const KeyboardEvent* asKeyboardEvent(const gfx::events::EventPtr& event) {
    return dynamic_cast<const KeyboardEvent*>(event.get());
}

}  // namespace

MotionControlSystem::MotionControlSystem(std::shared_ptr<game::GameConfig> config,
                                         std::shared_ptr<game::MousePoll> mousePoll,
                                         std::shared_ptr<game::KeyPoll> keyPoll)
    : keyPoll(std::move(keyPoll)), mousePoll(std::move(mousePoll)), config(std::move(config)) {}

void MotionControlSystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    cameras = engine.getNodeList<components::CameraNode>();
    stopListening();
    if (auto object = keyPoll->dispObj.lock()) {
        onKeyDown_ = object->connectEventListener(KeyboardEvent::KEY_DOWN, {this, &MotionControlSystem::didPressKey});
        onKeyUp_ = object->connectEventListener(KeyboardEvent::KEY_UP, {this, &MotionControlSystem::didReleaseKey});
    }
}

void MotionControlSystem::removeFromEngine(ecs::core::Engine& engine) {
    stopListening();
    cameras = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

void MotionControlSystem::stopListening() {
    onKeyDown_.disconnect();
    onKeyUp_.disconnect();
}

void MotionControlSystem::updateNode(MotionControlNode* node, double) {
    if (cameras == nullptr || cameras->head == nullptr) return;

    auto& v = *node->position->velocity;
    auto& jump = *node->jump;
    const auto& control = *node->control;

    if (jump.wantsToJump) {
        v.y = v.y - control.jumpVelocity;
        jump.wantsToJump = false;
        jump.isOnGround = false;
    }

    const double k = std::abs(v.x) > boostThreshold ? boostFactor : 1;
    bool leftActed = false;
    if (keyPoll->isDown(control.left)) {
        v.x = v.x - k * control.walkVelocity;
        leftActed = true;
    }
    if (keyPoll->isDown(control.right)) {
        v.x = v.x + k * control.walkVelocity;
    } else if (!leftActed) {
        v.x = v.x * friction;
    }

    // The beam system takes over with this velocity, in this same update.
    if (std::abs(v.x) > beamThreshold) node->player->changeState("beam");
}

void MotionControlSystem::didReleaseKey(const gfx::events::EventPtr& event) {
    const KeyboardEvent* key = asKeyboardEvent(event);
    if (key == nullptr || nodeList == nullptr) return;
    for (auto* node : *nodeList) {
        if (key->keyCode != node->control->jump) continue;
        node->jump->wantsToJump = false;
        node->jump->jumpKeyIsDown = false;
    }
}

void MotionControlSystem::didPressKey(const gfx::events::EventPtr& event) {
    const KeyboardEvent* key = asKeyboardEvent(event);
    if (key == nullptr || nodeList == nullptr) return;
    for (auto* node : *nodeList) {
        if (key->keyCode != node->control->jump) continue;
        auto& jump = *node->jump;
        if (!jump.jumpKeyIsDown && jump.isOnGround) jump.wantsToJump = true;
        jump.jumpKeyIsDown = true;
    }
}

}  // namespace systems
