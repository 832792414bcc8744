#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/Connection.h"
#include "components/CameraNode.h"
#include "components/RenderNode.h"
#include "creator/GameConfig.h"
#include "display/DisplayObjectContainer.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"

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
    // One restacking move: a view and the index it goes to.
    using Move = std::pair<const gfx::display::DisplayObject*, int>;
    // The views' places in the layer, in stacking order.
    [[nodiscard]] std::vector<const gfx::display::DisplayObject*> stacking() const;

    // This system on the signals of the render list it follows; the list
    // may outlive the system.
    base::Connection onNodeAdded_;
    base::Connection onNodeRemoved_;
    // The moves of this update, and those of the last update that left the
    // layer as it found it, with the layer's order after them: the same
    // moves on the same order would leave it as it is again.
    std::vector<Move> moves_;
    std::vector<const std::shared_ptr<gfx::display::DisplayObject>*> moved_;  // this update's, per move
    std::vector<Move> settledMoves_;
    std::optional<std::uint64_t> settledOrder_;
};

}  // namespace systems
