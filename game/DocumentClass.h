#pragma once

#include <utility>

#include "display/Stage.h"
#include "game/GameMap.h"
#include "game/Level.h"
#include "game/Main.h"

namespace game {

// The root sprite of the application. It knows the stage even before it is
// on the display list: the stage of the display root.
class DocumentClass : public Main {
public:
    explicit DocumentClass(Level level = GameMap::levelFile) : Main(std::move(level)) {}

    gfx::display::Stage* get_stage() const override;
};

}  // namespace game
