#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/Beam.h"
#include "components/Jump.h"
#include "components/Player.h"
#include "components/Position.h"
#include "creator/EntityCreator.h"
#include "creator/GameConfig.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "ecs/core/Entity.h"
#include "input/KeyPoll.h"
#include "input/Keys.h"
#include "input/MousePoll.h"
#include "systems/movement/BeamControlNode.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/game/PlayArea.h"
#include "world/GameMap.h"

namespace movement_test {

using game::keys::A;
using game::keys::D;
using game::keys::S;
using game::keys::W;
constexpr double tick = 1.0 / 60;

// The game's movement as it runs: an engine with the camera, the world with
// a map loaded from a level file and the player, all built by the game's own
// EntityCreator, the movement systems at their priorities and in the
// game's order, and KeyPollSystem last. Keys are pressed by dispatching
// keyboard events on the object the pollers listen to.
class MovementWorld {
public:
    // blocks: the level's solid cells as JSON pairs, e.g. "[30,-1],[30,-2]".
    explicit MovementWorld(const std::string& blocks = "");
    ~MovementWorld();

    MovementWorld(const MovementWorld&) = delete;
    MovementWorld& operator=(const MovementWorld&) = delete;

    void press(int key);
    void release(int key);
    // Engine updates of 1/60 second.
    void update(int times = 1);

    const std::string& state() const { return *player->state; }
    gfx::geom::Point& position() const { return *playerPosition->position; }
    gfx::geom::Point& velocity() const { return *playerPosition->velocity; }
    // Puts the player at rest on the ground line (its box's bottom at y = 0).
    void standOnGroundLine(double x = 0);
    // Switches to "beam" and hands back the beam system's node of the player.
    systems::BeamControlNode& becomeBeam();
    const game::GameMapLayer<bool>& blocks() const { return *map->blocks; }

    // Every entry of the player into the beam state: the update it happened
    // in (counting from 1) and the horizontal speed it entered with.
    struct BeamEntry {
        int update;
        double speed;
    };
    std::vector<BeamEntry> beamEntries;
    int updates = 0;

    TempFolder folder;
    std::shared_ptr<gfx::display::Sprite> keySource;
    std::shared_ptr<game::KeyPoll> keyPoll;
    std::shared_ptr<game::MousePoll> mousePoll;
    std::shared_ptr<game::GameConfig> config;
    ecs::core::Engine engine;
    game::EntityCreator creator;
    std::shared_ptr<ecs::core::Entity> camera;
    std::shared_ptr<game::GameMap> map;
    std::shared_ptr<ecs::core::Entity> playerEntity;
    std::shared_ptr<components::Player> player;
    std::shared_ptr<components::Position> playerPosition;
    std::shared_ptr<components::Jump> jump;
    std::shared_ptr<components::Beam> beam;
};

}  // namespace movement_test
