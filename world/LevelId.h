// A level's identity by what is played on it, not by its file.
#pragma once

#include <string>

#include "world/GameMap.h"

namespace game {

// Sixteen hexadecimal digits that name a level's content: its block cells
// and its shard cells, whatever their order in the file, the file's path or
// any other key it holds. Any change of a cell gives another id. Records
// and recorded runs belong to a level through it.
[[nodiscard]] std::string levelIdOf(const LevelContents& contents);

}  // namespace game
