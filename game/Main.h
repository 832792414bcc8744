#pragma once

#include <functional>
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
// A sprite derived from it may instead start and end games of its own
// choosing, each in a container of its own (the front end).
class Main : public gfx::display::Sprite {
public:
    // The level the game will load; a relative path is taken from the
    // working directory.
    explicit Main(Level level = GameMap::levelFile);

    // The first frame's handler; runs once.
    void ready(const gfx::events::EventPtr& event);

    // The game, once the first frame has built it; null before, and while
    // no game is running.
    const std::shared_ptr<Game>& get_game() const { return game_; }

    // Called with each game built, before its first update: for what
    // follows a game from outside (a tool logging its cues).
    std::function<void(Game& game)> gameBuilt;

protected:
    // What the first frame does: builds the game in this sprite and starts
    // it, so that its first update comes in this very frame.
    virtual void begin();

    // Builds a game of level in container (on the stage), with the stage's
    // size, and starts it; the game running before is ended first.
    void startGame(const std::shared_ptr<gfx::display::DisplayObjectContainer>& container, const Level& level);
    // Ends the running game, if any: its systems let go of the display and
    // the stage; its container is the caller's to take away.
    void endGame();

private:
    Level level_;
    // Owned here: the game lives as long as the sprite that contains it.
    std::shared_ptr<Game> game_;
    // `ready` on this sprite's frames until it has run.
    base::Connection onFirstFrame_;
};

}  // namespace game
