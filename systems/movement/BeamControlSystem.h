#pragma once

#include <memory>
#include <optional>

#include "components/Beam.h"
#include "components/Wall.h"
#include "creator/GameConfig.h"
#include "ecs/core/NodeList.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "geom/Point.h"
#include "input/KeyPoll.h"
#include "input/MousePoll.h"
#include "systems/movement/BeamControlNode.h"
#include "world/GameMap.h"
#include "world/GameMapLayer.h"
#include "world/MapNode.h"

namespace systems {

// Flies the player as a beam: casts a ray through the cells, moves the
// player in a straight line to the wall face it hits, mirrors the direction
// in that wall and flies on, wall after wall, while the direction keys may
// re-aim the next bounce. When no wall lies ahead the player is released
// along the last bounce direction and, once slow enough, becomes solid again.
class BeamControlSystem : public ecs::tools::ListIteratingSystem<BeamControlNode> {
public:
    using Layer = game::GameMapLayer<bool>;

    static constexpr double cellSize = game::GameMap::cellSize;
    // A beam that is not bouncing tries to fly only from this horizontal
    // speed on (inclusive).
    static constexpr double launchSpeed = 2000;
    // Ray-cast steps (half cells) when a flight starts, and when the flight
    // after the current one is previewed.
    static constexpr int flightSearchRange = 150;
    static constexpr int previewSearchRange = 15;
    // How far along the bounce direction the preview points when it finds no
    // wall.
    static constexpr double previewDistance = 100;
    // The velocity at release is the bounce direction times this.
    static constexpr double releaseSpeed = 1500;
    // Progress per second is flightRate / ln(flight length in pixels).
    static constexpr double flightRate = 20;
    // How closely the steering keys must run along the wall, or out of it,
    // to count.
    static constexpr double steeringTolerance = 1e-10;

    BeamControlSystem(std::shared_ptr<game::GameConfig> config, std::shared_ptr<game::MousePoll> mousePoll,
                      std::shared_ptr<game::KeyPoll> keyPoll);

    // The first node's blocks are the cells the ray is cast through.
    std::shared_ptr<ecs::core::NodeList<components::MapNode>> maps;
    // Direction keys while flying.
    std::shared_ptr<game::KeyPoll> keyPoll;
    std::shared_ptr<game::MousePoll> mousePoll;
    std::shared_ptr<game::GameConfig> config;

    void addToEngine(ecs::core::Engine& engine) override;
    void removeFromEngine(ecs::core::Engine& engine) override;
    void updateNode(BeamControlNode* node, double time) override;

    // Where the ray origin + t·direction meets the segment from corner to
    // corner + edge: t, of either sign; none when it misses the segment or
    // runs parallel to it.
    static std::optional<double> rayLineIntersection(const gfx::geom::Point& origin, const gfx::geom::Point& direction,
                                                     const gfx::geom::Point& corner, const gfx::geom::Point& edge);

    // The face of the first solid cell above the ground line that the ray
    // from origin meets, sampled every half cell from one cell to
    // maxSteps − 0.5 cells away; null when none is found.
    static std::shared_ptr<Wall> findWall(const Layer& layer, const gfx::geom::Point& origin,
                                          const gfx::geom::Point& direction, int maxSteps);

    // Sets beam.futureTargetPositions to where the flight after the current
    // one will end, or to a point a little way along the bounce direction
    // when no wall lies that way.
    static void findFutureWalls(const Layer& layer, components::Beam& beam);

    // Starts a flight from the player's position to the wall, leaving it in
    // the mirror image of direction.
    static void flyToWall(const Layer& layer, BeamControlNode& node, const gfx::geom::Point& direction,
                          const Wall& wall);

    // Finds the wall along direction and starts a flight to it; false when
    // there is none.
    static bool fly(const Layer& layer, BeamControlNode& node, const gfx::geom::Point& direction);

private:
    // Re-aims the next bounce by the direction keys held now.
    void steer(const Layer& blocks, BeamControlNode& node);
};

}  // namespace systems
