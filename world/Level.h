#pragma once

#include <memory>
#include <optional>
#include <string>

#include "world/GameMap.h"

namespace game {

// The level a game is built on: the path of its file and, when a program
// read and checked the file before starting the game (to report a fault in
// it plainly), what it read, so that the game does not read it again.
class Level {
public:
    // A level read when its map is made. Implicit: a path names a level.
    Level(std::string path) : path_(std::move(path)) {}  // NOLINT(google-explicit-constructor)
    Level(const char* path) : path_(path) {}             // NOLINT(google-explicit-constructor)

    // Reads and checks the file now; throws as GameMap::reload does. A
    // relative path is read from the working directory of this moment.
    [[nodiscard]] static Level read(std::string path);
    // Reads and checks the file now, as read does, and builds every map of
    // this level from what it read: a game started again on it reads no
    // file.
    [[nodiscard]] static Level readToKeep(std::string path);

    [[nodiscard]] const std::string& path() const { return path_; }
    // The id of the level's content (LevelId.h): from what was read ahead,
    // or else from the file as it is now (throws as read does).
    [[nodiscard]] std::string id() const;

    // A map of this level. The first one takes what was read ahead, if
    // anything; every other one reads the file as it is then.
    [[nodiscard]] std::shared_ptr<GameMap> makeMap() const;

private:
    std::string path_;
    // Shared by the copies of this level, so that only one map takes it.
    std::shared_ptr<std::optional<LevelContents>> readAhead_;
    // Every map copies what was read ahead, instead of the first taking it.
    bool kept_ = false;
};

}  // namespace game
