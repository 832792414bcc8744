#pragma once

#include <memory>

#include "components/CameraNode.h"
#include "creator/GameConfig.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "ecs/core/NodeList.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "input/KeyPoll.h"
#include "input/MousePoll.h"
#include "systems/movement/MotionControlNode.h"

namespace systems {

// Turns the keyboard into the walking and jumping of a solid body: speeds
// it up while a direction key is held, lets the speed die away otherwise,
// starts jumps, and turns the player into a beam once it runs fast enough.
// Only velocities change here; gravity and the velocity system move the body.
class MotionControlSystem : public ecs::tools::ListIteratingSystem<MotionControlNode> {
public:
    // Above this horizontal speed walking speeds up boostFactor times faster.
    static constexpr double boostThreshold = 1500;
    static constexpr double boostFactor = 6;
    // Horizontal speed kept per update while no direction key acts.
    static constexpr double friction = 0.8;
    // Above this horizontal speed the player becomes a beam.
    static constexpr double beamThreshold = 3000;

    MotionControlSystem(std::shared_ptr<game::GameConfig> config, std::shared_ptr<game::MousePoll> mousePoll,
                        std::shared_ptr<game::KeyPoll> keyPoll);

    MotionControlSystem(const MotionControlSystem&) = delete;
    MotionControlSystem& operator=(const MotionControlSystem&) = delete;

    // Nothing moves while there is no camera.
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;
    // Its display object delivers the key events.
    std::shared_ptr<game::KeyPoll> keyPoll;
    std::shared_ptr<game::MousePoll> mousePoll;
    std::shared_ptr<game::GameConfig> config;

    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    // The time is not used: speeds change by fixed amounts per update.
    void updateNode(MotionControlNode* node, double time) override;
    // Releasing the jump key cancels a jump not yet started.
    void didReleaseKey(const gfx::events::EventPtr& event);
    // Pressing the jump key on the ground asks for a jump; a held key (or
    // its auto-repeat) asks only once.
    void didPressKey(const gfx::events::EventPtr& event);

private:
    void stopListening();

    // The key listeners on the key poller's display object, while the
    // system is in an engine (or until it is destroyed).
    base::Connection onKeyDown_;
    base::Connection onKeyUp_;
};

}  // namespace systems
