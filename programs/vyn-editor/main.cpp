// vyn-editor: the game with the map editor switched on. Left click toggles
// a block, right click a shard, R reloads the level file and O saves it.
// It starts as the game does (game::ApplicationMain::main, which lays out
// the path from here to the first update), with the editor's document.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "base/HugePageHeap.h"
#include "game/ApplicationMain.h"
#include "game/ProgramFolders.h"
#include "programs/vyn-editor/EditorDocument.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace {

constexpr int badInput = 2;

const char* const usage =
    "usage: vyn-editor [LEVEL]\n"
    "Plays the game with the map editor on, editing the level file LEVEL\n"
    "(default: the game's level in the source tree it was built from, " VYN_EDITOR_LEVEL
    ",\n"
    "or else the installed one).\n"
    "Left click: toggle a block.  Right click: toggle a shard.\n"
    "R: reload the file (drops unsaved edits).  O: save to the file.\n"
    "  --help, --version  show this or the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
    base::preferHugePagesForHeap();
    if (argc > 2) {
        std::fputs(usage, stderr);
        return badInput;
    }
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg == "-h" || arg == "--help") {
        std::fputs(usage, stdout);
        return 0;
    }
    if (arg == "--version") {
        std::printf("vyn-editor %s\n", game::ApplicationMain::version);
        return 0;
    }
    // An empty name is a mistake (an unset variable, say), not a request for
    // the default level.
    if (argc == 2 && arg.empty()) {
        std::fputs("vyn-editor: \"\": the level file name is empty\n", stderr);
        return badInput;
    }
    std::string level;
    if (arg.empty()) {
        // Edits land where they are committed; an installed editor away from
        // its source tree opens the installed level (read-only to most users:
        // a save then fails with a message and the edits stay).
        level = VYN_EDITOR_LEVEL;
        if (!std::filesystem::exists(level)) level = game::ProgramFolders::current().data / game::GameMap::levelFile;
    } else {
        // Absolute, since the program moves its working directory to its
        // data folder. (An empty path has no absolute form: it would throw.)
        level = std::filesystem::absolute(arg).lexically_normal().string();
    }

    try {
        // A level that cannot be read is reported here, plainly, rather
        // than from inside the first frame; the game takes what was read.
        const game::Level checked = game::Level::read(level);

        game::StartUp startUp;
        startUp.document = [](const game::Level& read) { return std::make_shared<editor::EditorDocument>(read); };
        startUp.title = "Vyn editor";
        game::ApplicationMain::main(checked, startUp);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vyn-editor: %s\n", error.what());
        return badInput;
    }
    return 0;
}
