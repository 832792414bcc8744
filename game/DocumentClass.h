#pragma once

#include <utility>

#include "display/Stage.h"
#include "game/Main.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

// The root sprite of the application. It knows the stage even before it is
// on the display list: the stage of the display root.
class DocumentClass : public Main {
public:
    explicit DocumentClass(Level level = GameMap::levelFile) : Main(std::move(level)) {}

    gfx::display::Stage* get_stage() const override;
};

}  // namespace game
