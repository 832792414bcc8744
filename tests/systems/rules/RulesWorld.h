#pragma once

#include <memory>
#include <string>

#include "components/Beam.h"
#include "components/Camera.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/Player.h"
#include "components/Position.h"
#include "creator/GameConfig.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "ecs/core/Entity.h"
#include "ecs/signals/Signal1.h"
#include "input/KeyPoll.h"
#include "input/Keys.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/game/PlayArea.h"
#include "world/GameMap.h"

namespace rules_test {

constexpr double tick = 1.0 / 60;
using game::keys::Shift;

// The entities the rules work on, built without views: a player with the
// game's two states ("solid" carries the Jump, "beam" the Beam), the moon,
// cameras and a map read from a level file in a temporary folder. Keys
// reach the KeyPoll through a sprite standing in for the stage.
class RulesWorld {
public:
    RulesWorld();
    ~RulesWorld();

    RulesWorld(const RulesWorld&) = delete;
    RulesWorld& operator=(const RulesWorld&) = delete;

    // The player in state "solid".
    void addPlayer(double x = 0, double y = -50);
    // The moon at its start, clock 0, falling.
    void addMoon();
    std::shared_ptr<components::Camera> addCamera(double x = 0, double y = 0);
    // A map from a level file with the given JSON contents.
    void addMap(const std::string& json = R"({"blocks":[],"items":[]})");

    void press(int key);
    void release(int key);
    void update(int times = 1);

    gfx::geom::Point& playerAt() const { return *playerPosition->position; }

    TempFolder folder;
    std::shared_ptr<gfx::display::Sprite> keySource;
    std::shared_ptr<game::KeyPoll> keyPoll;
    std::shared_ptr<game::GameConfig> config;
    std::shared_ptr<ecs::signals::Signal1<bool>> pauseSignal;
    ecs::core::Engine engine;

    std::shared_ptr<ecs::core::Entity> playerEntity;
    std::shared_ptr<components::Player> player;
    std::shared_ptr<components::Position> playerPosition;
    std::shared_ptr<components::Jump> jump;
    std::shared_ptr<components::Beam> beam;
    std::shared_ptr<components::Moon> moon;
    std::shared_ptr<components::Position> moonPosition;
    std::shared_ptr<game::GameMap> map;
    std::string mapPath;
};

}  // namespace rules_test
