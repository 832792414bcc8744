#pragma once

#include <memory>

#include "base/Connection.h"
#include "components/CameraNode.h"
#include "components/RenderNode.h"
#include "display/DisplayObjectContainer.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "game/GameConfig.h"

namespace systems {

// Keeps the view of every entity with a Display and a Position in the world
// layer, and on every update places each view relative to the camera (with
// the entity's parallax ratio) and applies its stacking rule.
class RenderSystem : public ecs::core::System {
public:
    // The world layer; parent of every view handled here.
    std::shared_ptr<gfx::display::DisplayObjectContainer> container;
    // The screen size.
    std::shared_ptr<game::GameConfig> config;
    std::shared_ptr<ecs::core::NodeList<components::RenderNode>> nodes;
    // Only the first camera is used.
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;

    RenderSystem(std::shared_ptr<game::GameConfig> config,
                 std::shared_ptr<gfx::display::DisplayObjectContainer> container);

    // Places and restacks the views; time is not used.
    void update(double time) override;
    // Lets go of the lists. Views stay in the layer, and views of entities
    // that join later are still added to it.
    void removeFromEngine(ecs::core::Engine& engine) override;
    // Takes the lists, adds the views of the entities already there, and
    // follows the render list from then on.
    void addToEngine(ecs::core::Engine& engine) override;

    virtual void removeFromDisplay(components::RenderNode* node);
    virtual void addToDisplay(components::RenderNode* node);

private:
    // This system on the signals of the render list it follows; the list
    // may outlive the system.
    base::Connection onNodeAdded_;
    base::Connection onNodeRemoved_;
};

}  // namespace systems
