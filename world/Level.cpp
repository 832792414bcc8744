#include "world/Level.h"

#include <utility>

namespace game {

Level Level::read(std::string path) {
    Level level(std::move(path));
    level.readAhead_ = std::make_shared<std::optional<LevelContents>>(GameMap::read(level.path_));
    return level;
}

std::shared_ptr<GameMap> Level::makeMap() const {
    if (readAhead_ && readAhead_->has_value()) {
        LevelContents contents = std::move(**readAhead_);
        readAhead_->reset();
        return std::make_shared<GameMap>(path_, std::move(contents));
    }
    return std::make_shared<GameMap>(path_);
}

}  // namespace game
