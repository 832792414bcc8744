#include "RulesWorld.h"

#include "display/events/KeyboardEvent.h"
#include "ecs/fsm/EntityStateMachine.h"

namespace rules_test {

using namespace components;
using gfx::events::KeyboardEvent;

RulesWorld::RulesWorld()
    : keySource(std::make_shared<gfx::display::Sprite>()),
      keyPoll(std::make_shared<game::KeyPoll>(keySource)),
      config(windowPlayArea()),
      pauseSignal(std::make_shared<ecs::signals::Signal1<bool>>()) {}

// Systems unhook their listeners when they leave.
RulesWorld::~RulesWorld() { engine.removeAllSystems(); }

void RulesWorld::addPlayer(double x, double y) {
    playerEntity = std::make_shared<ecs::core::Entity>();
    auto fsm = std::make_shared<ecs::fsm::EntityStateMachine>(playerEntity);
    jump = std::make_shared<Jump>();
    beam = std::make_shared<Beam>();
    fsm->createState("solid")->add<Jump>().withInstance(jump);
    fsm->createState("beam")->add<Beam>().withInstance(beam);
    player = std::make_shared<Player>(fsm, jump, beam);
    playerPosition = std::make_shared<Position>(x, y, 0);
    playerEntity->add(player).add(playerPosition);
    player->changeState("solid");
    engine.addEntity(playerEntity);
}

void RulesWorld::addMoon() {
    moon = std::make_shared<Moon>();
    moonPosition = std::make_shared<Position>(0, -550, 0);
    auto entity = std::make_shared<ecs::core::Entity>();
    entity->add(moon).add(moonPosition);
    engine.addEntity(entity);
}

std::shared_ptr<Camera> RulesWorld::addCamera(double x, double y) {
    auto camera = std::make_shared<Camera>();
    auto entity = std::make_shared<ecs::core::Entity>();
    entity->add(camera).add(std::make_shared<Position>(x, y, 0));
    engine.addEntity(entity);
    return camera;
}

void RulesWorld::addMap(const std::string& json) {
    mapPath = folder.write("map.json", json);
    map = std::make_shared<game::GameMap>(mapPath);
    auto entity = std::make_shared<ecs::core::Entity>();
    entity->add(std::make_shared<Position>(0, 0, 0)).add(map);
    engine.addEntity(entity);
}

void RulesWorld::press(int key) {
    keySource->dispatchEvent(std::make_shared<KeyboardEvent>(KeyboardEvent::KEY_DOWN, true, false, 0, key));
}

void RulesWorld::release(int key) {
    keySource->dispatchEvent(std::make_shared<KeyboardEvent>(KeyboardEvent::KEY_UP, true, false, 0, key));
}

void RulesWorld::update(int times) {
    for (int i = 0; i < times; ++i) engine.update(tick);
}

}  // namespace rules_test
