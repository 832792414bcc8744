#pragma once

#include <string>

#include "frontend/FrontEnd.h"

namespace runs {

// The state of the front end after a frame, as one line of JSON: the
// screen, the level, the panel's heading, lines and items with the one
// selected and the problem noted under them, if any, and, while a game
// exists, that game's trace line under "game".
std::string frontTraceLine(int tick, const frontend::FrontEnd& frontEnd);

}  // namespace runs
