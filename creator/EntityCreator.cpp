#include "creator/EntityCreator.h"

#include <utility>

#include "components/Animation.h"
#include "components/Beam.h"
#include "components/BeamControls.h"
#include "components/BoundingBox.h"
#include "components/Camera.h"
#include "components/CameraTarget.h"
#include "components/Destructor.h"
#include "components/Display.h"
#include "components/GameState.h"
#include "components/Gravity.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/MotionControls.h"
#include "components/Player.h"
#include "components/Position.h"
#include "ecs/fsm/EntityStateMachine.h"
#include "geom/Rectangle.h"
#include "input/Keys.h"
#include "views/GroundView.h"
#include "views/ItemView.h"
#include "views/MoonView.h"
#include "views/PlayerView.h"
#include "views/VictoryBeamView.h"

namespace game {

using namespace components;
using ecs::core::Entity;
using gfx::geom::Point;
using gfx::geom::Rectangle;

EntityCreator::EntityCreator(ecs::core::Engine& engine, Level level) : engine(engine), level(std::move(level)) {}

void EntityCreator::createVictoryBeam(const Point& position) {
    auto view = std::make_shared<views::VictoryBeamView>(std::make_shared<Rectangle>(0, -550, 50, 550));
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<Animation>(view))
        .add(std::make_shared<Display>(view, 1, false))
        .add(std::make_shared<Position>(position.x, position.y, 0));
    engine.addEntity(entity);
}

void EntityCreator::createItem(const std::shared_ptr<Item>& item, const Point& position) {
    auto view = std::make_shared<views::ItemView>(item);
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<Position>(position.x, position.y, 0))
        .add(std::make_shared<Animation>(view))
        .add(std::make_shared<Display>(view, 1, true))
        .add(item);
    engine.addEntity(entity);
}

void EntityCreator::createPlayer() {
    auto solidBox = std::make_shared<Rectangle>(-5, -10, 10, 20);
    auto beamBox = std::make_shared<Rectangle>(0, 0, 0, 0);

    auto entity = std::make_shared<Entity>();
    auto fsm = std::make_shared<ecs::fsm::EntityStateMachine>(entity);
    auto jump = std::make_shared<Jump>();
    fsm->createState("solid")
        ->add<Gravity>()
        .withInstance(std::make_shared<Gravity>(1))
        .add<MotionControls>()
        .withInstance(std::make_shared<MotionControls>(keys::A, keys::D, keys::W, 720, 35))
        .add<Jump>()
        .withInstance(jump)
        .add<CameraTarget>()
        .withInstance(std::make_shared<CameraTarget>(0.2))
        .add<BoundingBox>()
        .withInstance(std::make_shared<BoundingBox>(solidBox));

    auto beam = std::make_shared<Beam>();
    fsm->createState("beam")
        ->add<BeamControls>()
        .withInstance(std::make_shared<BeamControls>(keys::A, keys::D, keys::W, keys::S))
        .add<Beam>()
        .withInstance(beam)
        .add<CameraTarget>()
        .withInstance(std::make_shared<CameraTarget>(0.6))
        .add<BoundingBox>()
        .withInstance(std::make_shared<BoundingBox>(beamBox));

    auto position = std::make_shared<Position>(0, -50, 0);
    auto view = std::make_shared<views::PlayerView>(solidBox, position, beam);
    auto player = std::make_shared<Player>(fsm, jump, beam);

    entity->add(player).add(position).add(std::make_shared<Animation>(view)).add(std::make_shared<Display>(view));
    player->changeState("solid");
    engine.addEntity(entity);
}

void EntityCreator::createWorld() {
    // The moon drifts with 4 % of the camera's horizontal movement.
    auto moonDisplay = std::make_shared<Display>(std::make_shared<views::MoonView>(), 0, false);
    moonDisplay->parallaxRatio = std::make_shared<Point>(0.04, 1);
    auto moon = std::make_shared<Entity>();
    moon->add(std::make_shared<Moon>()).add(std::make_shared<Position>(0, -550, 0)).add(moonDisplay);
    engine.addEntity(moon);

    // The ground is pinned to the screen horizontally.
    auto groundDisplay = std::make_shared<Display>(std::make_shared<views::GroundView>());
    groundDisplay->parallaxRatio = std::make_shared<Point>(0, 1);
    auto ground = std::make_shared<Entity>();
    ground->add(std::make_shared<Position>(0, 0, 0)).add(groundDisplay);
    engine.addEntity(ground);

    auto map = std::make_shared<Entity>();
    map->add(std::make_shared<Position>(0, 0, 0)).add(level.makeMap());
    engine.addEntity(map);
}

std::shared_ptr<Entity> EntityCreator::createCamera() {
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<Camera>()).add(std::make_shared<Position>(0, 0, 0));
    engine.addEntity(entity);
    return entity;
}

std::shared_ptr<Entity> EntityCreator::createGame() {
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<GameState>());
    engine.addEntity(entity);
    return entity;
}

void EntityCreator::destroyEntity(const std::shared_ptr<Entity>& entity) {
    engine.removeEntity(entity);
    if (auto destructor = entity->get<Destructor>()) destructor->destroy();
}

}  // namespace game
