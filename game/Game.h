#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Connection.h"
#include "components/Cue.h"
#include "creator/EntityCreator.h"
#include "creator/GameConfig.h"
#include "display/DisplayObjectContainer.h"
#include "ecs/core/Engine.h"
#include "ecs/core/System.h"
#include "ecs/signals/Signal1.h"
#include "ecs_tick/ITickProvider.h"
#include "input/KeyPoll.h"
#include "input/MousePoll.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

// Assembles the running game inside a display container: the engine with
// its systems in their update order, the input pollers, the entity factory,
// the world and HUD layers, the pause wiring and the first entities.
// After start() the systems, signals and the tick provider carry the game.
class Game {
public:
    using PauseSignal = ecs::signals::Signal1<bool>;

    // The container given to the constructor, parent of the two layers. Not
    // owned: the container (the application's main sprite) owns the game.
    std::weak_ptr<gfx::display::DisplayObjectContainer> container;
    std::shared_ptr<ecs::core::Engine> engine;
    // Null until start().
    std::shared_ptr<ecs::tick::ITickProvider> tickProvider;
    std::shared_ptr<EntityCreator> creator;
    std::shared_ptr<KeyPoll> keyPoll;
    std::shared_ptr<MousePoll> mousePoll;
    std::shared_ptr<GameConfig> config;

    // What happens in the game, announced for the sound, and the moon's
    // mood; nothing of the game reads it.
    std::shared_ptr<components::Cues> cues;

    // True while the game is over; false when it resumes. Shared with the
    // systems that follow or announce the pause.
    std::shared_ptr<PauseSignal> pauseSignal;
    // The systems of the movement and control priorities, in update order:
    // the ones taken out of the engine while the game is paused.
    std::vector<std::shared_ptr<ecs::core::System>> pausable;

    // Builds everything; the container must already be on the stage. A
    // relative level file path is taken from the working directory.
    Game(const std::shared_ptr<gfx::display::DisplayObjectContainer>& container, double width, double height,
         const Level& level = GameMap::levelFile);
    ~Game();

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Runs one engine update per frame event of the container, from now on.
    void start();

    // Whether the pausable systems are out of the engine.
    bool isPaused() const;
    // Whether the level is won: the shards are home and the moon has
    // stopped falling.
    [[nodiscard]] bool isWon() const;

    // The first entity carrying a component of class C (the player, the
    // moon), or null.
    template <class C>
    [[nodiscard]] std::shared_ptr<ecs::core::Entity> firstWith() const {
        for (const auto& entity : engine->get_entities()) {
            if (entity->get<C>()) return entity;
        }
        return nullptr;
    }

private:
    void onPause(bool paused);
    void applyPause(bool paused);

    base::Connection onPause_;
};

}  // namespace game
