#include "game/Game.h"

#include <stdexcept>

#include "components/Moon.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/text/Font.h"
#include "ecs_tick/FixedTickProvider.h"
#include "game/SystemPriorities.h"
#include "systems/input/KeyPollSystem.h"
#include "systems/movement/BeamControlSystem.h"
#include "systems/movement/GravitySystem.h"
#include "systems/movement/MotionControlSystem.h"
#include "systems/movement/VelocitySystem.h"
#include "systems/presentation/AnimationSystem.h"
#include "systems/presentation/CameraSystem.h"
#include "systems/presentation/CueSystem.h"
#include "systems/presentation/HUDSystem.h"
#include "systems/presentation/MapRenderSystem.h"
#include "systems/presentation/RenderSystem.h"
#include "systems/rules/ItemSystem.h"
#include "systems/rules/MoonFallSystem.h"
#include "systems/rules/RewindSystem.h"
#include "systems/rules/VictorySystem.h"
#include "views/SourceSansProLight.h"

namespace game {

using systems::SystemPriorities;

Game::Game(const std::shared_ptr<gfx::display::DisplayObjectContainer>& container, double width, double height,
           const Level& level)
    : container(container) {
    // The pollers listen on the stage, which the container must be on.
    auto* onStage = container->get_stage();
    if (onStage == nullptr) throw std::logic_error("Game: the container is not on the stage");
    auto stage = std::static_pointer_cast<gfx::display::DisplayObject>(onStage->shared_from_this());

    // The world layer first, so that the HUD layer draws above every view.
    auto worldLayer = container->addChild(std::make_shared<gfx::display::Sprite>());
    auto hudLayer = container->addChild(std::make_shared<gfx::display::Sprite>());

    engine = std::make_shared<ecs::core::Engine>();
    creator = std::make_shared<EntityCreator>(*engine, level);

    keyPoll = std::make_shared<KeyPoll>(stage);
    mousePoll = std::make_shared<MousePoll>(stage);

    config = std::make_shared<GameConfig>();
    config->width = width;
    config->height = height;

    gfx::text::Font::registerFont<views::SourceSansProLight>();

    pauseSignal = std::make_shared<PauseSignal>();
    cues = std::make_shared<components::Cues>();

    // Every update runs the systems in this order (equal priorities in
    // order of addition).
    engine->addSystem(std::make_shared<systems::RewindSystem>(keyPoll, pauseSignal), SystemPriorities::CLOCK);
    engine->addSystem(std::make_shared<systems::MoonFallSystem>(config, hudLayer, pauseSignal),
                      SystemPriorities::CLOCK);
    engine->addSystem(std::make_shared<systems::MotionControlSystem>(config, mousePoll, keyPoll),
                      SystemPriorities::CONTROL);
    engine->addSystem(std::make_shared<systems::BeamControlSystem>(config, mousePoll, keyPoll),
                      SystemPriorities::CONTROL);
    engine->addSystem(std::make_shared<systems::ItemSystem>(), SystemPriorities::CONTROL);
    engine->addSystem(std::make_shared<systems::VictorySystem>(creator, keyPoll), SystemPriorities::CONTROL);
    engine->addSystem(std::make_shared<systems::GravitySystem>(), SystemPriorities::CONTROL);
    engine->addSystem(std::make_shared<systems::VelocitySystem>(), SystemPriorities::MOVEMENT);
    engine->addSystem(std::make_shared<systems::CameraSystem>(), SystemPriorities::CAMERA);
    engine->addSystem(std::make_shared<systems::AnimationSystem>(), SystemPriorities::ANIMATION);
    engine->addSystem(std::make_shared<systems::HUDSystem>(config, hudLayer, pauseSignal), SystemPriorities::ANIMATION);
    engine->addSystem(std::make_shared<systems::CueSystem>(cues, keyPoll, pauseSignal), SystemPriorities::ANIMATION);
    engine->addSystem(std::make_shared<systems::RenderSystem>(config, worldLayer), SystemPriorities::RENDER);
    engine->addSystem(std::make_shared<systems::MapRenderSystem>(creator, config, worldLayer),
                      SystemPriorities::RENDER);
    engine->addSystem(std::make_shared<systems::KeyPollSystem>(keyPoll), SystemPriorities::INPUT_FLUSH);

    // The systems between the clock and the camera stop while the game is
    // over; the list keeps them, in update order, to put them back.
    for (const auto& system : engine->get_systems()) {
        if (system->priority >= SystemPriorities::CONTROL && system->priority <= SystemPriorities::MOVEMENT) {
            pausable.push_back(system);
        }
    }
    onPause_ = pauseSignal->connect({this, &Game::onPause});

    creator->createCamera();
    creator->createGame();
    creator->createWorld();
    creator->createPlayer();
}

Game::~Game() {
    onPause_.disconnect();
    // Systems listen on the stage and hold display objects: they let go in
    // order, as they would when leaving the engine.
    engine->removeAllSystems();
}

void Game::start() {
    auto provider = std::make_shared<ecs::tick::FixedTickProvider>(container.lock(), 1.0 / 60);
    tickProvider = provider;
    tickProvider->add({engine.get(), &ecs::core::Engine::update});
    tickProvider->start();
}

bool Game::isWon() const {
    auto moon = firstWith<components::Moon>();
    return moon && !moon->get<components::Moon>()->isFalling;
}

bool Game::isPaused() const {
    if (pausable.empty()) return false;
    for (const auto& system : engine->get_systems()) {
        if (system == pausable.front()) return false;
    }
    return true;
}

void Game::onPause(bool paused) {
    // The system list must not change under the update that announced the
    // pause: the change waits until that update (or the next) completes.
    engine->updateComplete.addOnce([this, paused] { applyPause(paused); });
}

void Game::applyPause(bool paused) {
    // A repeated value would remove systems that are not in the engine, or
    // add them twice; it changes nothing.
    if (paused == isPaused()) return;
    for (const auto& system : pausable) {
        if (paused) {
            engine->removeSystem(system);
        } else {
            engine->addSystem(system, system->priority);
        }
    }
}

}  // namespace game
