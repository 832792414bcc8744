#include "MovementWorld.h"

#include "components/PlayerNode.h"
#include "display/events/KeyboardEvent.h"
#include "game/SystemPriorities.h"
#include "systems/input/KeyPollSystem.h"
#include "systems/movement/BeamControlSystem.h"
#include "systems/movement/GravitySystem.h"
#include "systems/movement/MotionControlSystem.h"
#include "systems/movement/VelocitySystem.h"
#include "world/MapNode.h"

namespace movement_test {

using namespace components;
using systems::SystemPriorities;

MovementWorld::MovementWorld(const std::string& blocks)
    : keySource(std::make_shared<gfx::display::Sprite>()),
      keyPoll(std::make_shared<game::KeyPoll>(keySource)),
      mousePoll(std::make_shared<game::MousePoll>(keySource)),
      config(windowPlayArea()),
      creator(engine, folder.write("map.json", "{\"blocks\":[" + blocks + "],\"items\":[]}")) {
    engine.addSystem(std::make_shared<systems::MotionControlSystem>(config, mousePoll, keyPoll),
                     SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::BeamControlSystem>(config, mousePoll, keyPoll),
                     SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::GravitySystem>(), SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::VelocitySystem>(), SystemPriorities::MOVEMENT);
    engine.addSystem(std::make_shared<systems::KeyPollSystem>(keyPoll), SystemPriorities::INPUT_FLUSH);

    // The camera, the world read from the level and the player, as the game
    // builds them.
    camera = creator.createCamera();
    creator.createWorld();
    map = engine.getNodeList<MapNode>()->head->map;
    creator.createPlayer();
    auto playerNode = engine.getNodeList<PlayerNode>()->head;
    playerEntity = playerNode->entity;
    player = playerNode->player;
    playerPosition = playerNode->position;
    jump = player->jump;
    beam = player->beam;

    engine.getNodeList<systems::BeamControlNode>()->nodeAdded.add([this](systems::BeamControlNode* node) {
        beamEntries.push_back({updates + 1, node->position->velocity->x});
    });
}

MovementWorld::~MovementWorld() { engine.removeAllSystems(); }

void MovementWorld::press(int key) {
    keySource->dispatchEvent(
        std::make_shared<gfx::events::KeyboardEvent>(gfx::events::KeyboardEvent::KEY_DOWN, false, false, 0, key));
}

void MovementWorld::release(int key) {
    keySource->dispatchEvent(
        std::make_shared<gfx::events::KeyboardEvent>(gfx::events::KeyboardEvent::KEY_UP, false, false, 0, key));
}

void MovementWorld::update(int times) {
    for (int i = 0; i < times; ++i) {
        engine.update(tick);
        ++updates;
    }
}

void MovementWorld::standOnGroundLine(double x) {
    position() = gfx::geom::Point(x, -10);
    velocity() = gfx::geom::Point(0, 0);
    jump->isOnGround = true;
}

systems::BeamControlNode& MovementWorld::becomeBeam() {
    player->changeState("beam");
    return *engine.getNodeList<systems::BeamControlNode>()->head;
}

}  // namespace movement_test
