#include "world/Level.h"

#include <utility>

#include "world/LevelId.h"

namespace game {

Level Level::read(std::string path) {
    Level level(std::move(path));
    level.readAhead_ = std::make_shared<std::optional<LevelContents>>(GameMap::read(level.path_));
    return level;
}

Level Level::readToKeep(std::string path) {
    Level level = read(std::move(path));
    level.kept_ = true;
    return level;
}

std::string Level::id() const {
    if (readAhead_ && readAhead_->has_value()) return levelIdOf(**readAhead_);
    return levelIdOf(GameMap::read(path_));
}

std::shared_ptr<GameMap> Level::makeMap() const {
    if (kept_) return std::make_shared<GameMap>(path_, LevelContents(**readAhead_));
    if (readAhead_ && readAhead_->has_value()) {
        LevelContents contents = std::move(**readAhead_);
        readAhead_->reset();
        return std::make_shared<GameMap>(path_, std::move(contents));
    }
    return std::make_shared<GameMap>(path_);
}

}  // namespace game
