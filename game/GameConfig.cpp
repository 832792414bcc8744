#include "game/GameConfig.h"

#include "game/Truncate.h"

namespace game {

std::shared_ptr<gfx::geom::Point> GameConfig::screenCenter() const {
    return std::make_shared<gfx::geom::Point>(truncate(width * 0.5), truncate(height * 0.5));
}

}  // namespace game
