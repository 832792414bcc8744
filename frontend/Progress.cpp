#include "frontend/Progress.h"

#include <cstdio>

#include "game/ApplicationMain.h"

namespace frontend {

std::string runTimeText(int updates) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", updates / game::ApplicationMain::frameRate);
    return text;
}

}  // namespace frontend
