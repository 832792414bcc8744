#include "creator/GameConfig.h"

#include "base/Truncate.h"

namespace game {

std::shared_ptr<gfx::geom::Point> GameConfig::screenCenter() const {
    return std::make_shared<gfx::geom::Point>(base::truncate(width * 0.5), base::truncate(height * 0.5));
}

}  // namespace game
