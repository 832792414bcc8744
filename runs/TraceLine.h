#pragma once

#include <string>

#include "game/Game.h"

namespace runs {

// The state of the game after an engine update, as one line of JSON (no
// line break): the player, the moon, the camera, the pause, the HUD texts,
// the rewind records and the number of entities. Numbers carry 17
// significant digits, so equal lines mean equal states. Values of
// entities or systems the game lacks keep their components' defaults.
std::string traceLine(int tick, const game::Game& game);

}  // namespace runs
