#pragma once

#include <memory>
#include <string>

#include "display/Sprite.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "game/Game.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

// The application's main sprite: on its first frame it builds the game
// with the stage's size, with itself as the game's container, and starts it.
class Main : public gfx::display::Sprite {
public:
    // The level the game will load; a relative path is taken from the
    // working directory.
    explicit Main(Level level = GameMap::levelFile);

    // The first frame's handler; runs once.
    void ready(const gfx::events::EventPtr& event);

    // The game, once the first frame has built it; null before.
    const std::shared_ptr<Game>& get_game() const { return game_; }

private:
    Level level_;
    // Owned here: the game lives as long as the sprite that contains it.
    std::shared_ptr<Game> game_;
    // `ready` on this sprite's frames until it has run.
    base::Connection onFirstFrame_;
};

}  // namespace game
