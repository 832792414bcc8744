// The `vyn` program: the game in its window, until the window is closed.
#include <cstdio>
#include <exception>

#include "game/ApplicationMain.h"

int main() {
    try {
        game::ApplicationMain::main();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vyn: %s\n", error.what());
        return 1;
    }
    return 0;
}
