#include "tests/movement/MovementWorld.h"

#include "components/BeamControls.h"
#include "components/BoundingBox.h"
#include "components/Camera.h"
#include "components/CameraTarget.h"
#include "components/Gravity.h"
#include "components/MotionControls.h"
#include "display/events/KeyboardEvent.h"
#include "display/geom/Rectangle.h"
#include "ecs/fsm/EntityStateMachine.h"
#include "systems/BeamControlSystem.h"
#include "systems/GravitySystem.h"
#include "systems/KeyPollSystem.h"
#include "systems/MotionControlSystem.h"
#include "systems/SystemPriorities.h"
#include "systems/VelocitySystem.h"

namespace movement_test {

using namespace components;
using gfx::geom::Rectangle;
using systems::SystemPriorities;

MovementWorld::MovementWorld(const std::string& blocks)
    : keySource(std::make_shared<gfx::display::Sprite>()),
      keyPoll(std::make_shared<game::KeyPoll>(keySource)),
      mousePoll(std::make_shared<game::MousePoll>(keySource)),
      config(std::make_shared<game::GameConfig>()) {
    config->width = 1120;
    config->height = 630;

    engine.addSystem(std::make_shared<systems::MotionControlSystem>(config, mousePoll, keyPoll),
                     SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::BeamControlSystem>(config, mousePoll, keyPoll),
                     SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::GravitySystem>(), SystemPriorities::CONTROL);
    engine.addSystem(std::make_shared<systems::VelocitySystem>(), SystemPriorities::MOVEMENT);
    engine.addSystem(std::make_shared<systems::KeyPollSystem>(keyPoll), SystemPriorities::INPUT_FLUSH);

    camera = std::make_shared<ecs::core::Entity>();
    camera->add(std::make_shared<Camera>()).add(std::make_shared<Position>(0, 0, 0));
    engine.addEntity(camera);

    map = std::make_shared<game::GameMap>(
        folder.write("map.json", "{\"blocks\":[" + blocks + "],\"items\":[]}"));
    auto mapEntity = std::make_shared<ecs::core::Entity>();
    mapEntity->add(std::make_shared<Position>(0, 0, 0)).add(map);
    engine.addEntity(mapEntity);

    // The player, as the game builds it.
    auto solidBox = std::make_shared<Rectangle>(-5, -10, 10, 20);
    auto beamBox = std::make_shared<Rectangle>(0, 0, 0, 0);
    playerEntity = std::make_shared<ecs::core::Entity>();
    auto fsm = std::make_shared<ecs::fsm::EntityStateMachine>(playerEntity);
    jump = std::make_shared<Jump>();
    fsm->createState("solid")
        ->add<Gravity>().withInstance(std::make_shared<Gravity>(1))
        .add<MotionControls>().withInstance(std::make_shared<MotionControls>(A, D, W, 720, 35))
        .add<Jump>().withInstance(jump)
        .add<CameraTarget>().withInstance(std::make_shared<CameraTarget>(0.2))
        .add<BoundingBox>().withInstance(std::make_shared<BoundingBox>(solidBox));
    beam = std::make_shared<Beam>();
    fsm->createState("beam")
        ->add<BeamControls>().withInstance(std::make_shared<BeamControls>(A, D, W, S))
        .add<Beam>().withInstance(beam)
        .add<CameraTarget>().withInstance(std::make_shared<CameraTarget>(0.6))
        .add<BoundingBox>().withInstance(std::make_shared<BoundingBox>(beamBox));
    playerPosition = std::make_shared<Position>(0, -50, 0);
    player = std::make_shared<Player>(fsm, jump, beam);
    playerEntity->add(player).add(playerPosition);
    player->changeState("solid");
    engine.addEntity(playerEntity);

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
