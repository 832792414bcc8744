#include "game/Main.h"

#include "display/Stage.h"

namespace game {

Main::Main(Level level)
    : level_(std::move(level)),
      onFirstFrame_(connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &Main::ready})) {}

void Main::ready(const gfx::events::EventPtr&) {
    onFirstFrame_.disconnect();
    auto* stage = get_stage();
    auto self = std::static_pointer_cast<gfx::display::DisplayObjectContainer>(shared_from_this());
    game_ = std::make_shared<Game>(self, static_cast<double>(stage->get_stageWidth()),
                                   static_cast<double>(stage->get_stageHeight()), level_);
    // The tick listener joins this frame's dispatch, which is still running:
    // the first update comes in this very frame.
    game_->start();
}

}  // namespace game
