#include "game/Main.h"

#include "display/Stage.h"

namespace game {

Main::Main(Level level)
    : level_(std::move(level)),
      onFirstFrame_(connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &Main::ready})) {}

void Main::ready(const gfx::events::EventPtr&) {
    onFirstFrame_.disconnect();
    begin();
}

void Main::begin() {
    startGame(std::static_pointer_cast<gfx::display::DisplayObjectContainer>(shared_from_this()), level_);
}

void Main::startGame(const std::shared_ptr<gfx::display::DisplayObjectContainer>& container, const Level& level) {
    endGame();
    auto* stage = get_stage();
    game_ = std::make_shared<Game>(container, static_cast<double>(stage->get_stageWidth()),
                                   static_cast<double>(stage->get_stageHeight()), level);
    if (gameBuilt) gameBuilt(*game_);
    // The tick listener joins this frame's dispatch when one is running:
    // the first update comes in that very frame.
    game_->start();
}

void Main::endGame() { game_.reset(); }

}  // namespace game
