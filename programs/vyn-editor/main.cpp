// vyn-editor: the game with the map editor switched on. Left click toggles
// a block, right click a shard, R reloads the level file and O saves it.
// It starts as the game does (game::ApplicationMain::main, which lays out
// the path from here to the first update), with the editor's document.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "command_line/OptionParser.h"
#include "command_line/ProgramMain.h"
#include "game/ApplicationMain.h"
#include "game/ProgramFolders.h"
#include "programs/vyn-editor/EditorDocument.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace {

const char* const usage =
    "usage: vyn-editor [LEVEL]\n"
    "Plays the game with the map editor on, editing the level file LEVEL\n"
    "(default: the game's level in the source tree it was built from, " VYN_EDITOR_LEVEL
    ",\n"
    "or else the installed one).\n"
    "Left click: toggle a block.  Right click: toggle a shard.\n"
    "R: reload the file (drops unsaved edits).  O: save to the file.\n"
    "  --help, --version  show this or the version and exit\n";

// A mistake on the command line is shown by its line alone; any failure,
// the level's or the window's, ends the editor with status 2.
const command_line::Program editorProgram{"vyn-editor", usage, game::ApplicationMain::version, false,
                                          command_line::badInputStatus};

struct EditorOptions {
    // Empty: the default level.
    std::string level;
};

// One word at most, a level file: a word that starts with '-' is a file
// name too, since the editor has no options.
command_line::Parsed<EditorOptions> parseEditorOptions(const std::vector<std::string>& words,
                                                       const std::filesystem::path& startFolder) {
    EditorOptions options;
    command_line::Grammar grammar;
    grammar.positional = {"level", true, [&](const std::string& file) {
                              // Absolute, since the program moves its working
                              // directory to its data folder; unlike
                              // fromStartFolder, an absolute name is tidied
                              // too, as the editor's messages have named it.
                              options.level = (startFolder / file).lexically_normal().string();
                              return std::string();
                          }};
    grammar.refuseUnknownOptions = false;
    grammar.mostWords = 1;
    return command_line::parse(grammar, words, options);
}

int edit(const EditorOptions& options) {
    std::string level = options.level;
    if (level.empty()) {
        // Edits land where they are committed; an installed editor away from
        // its source tree opens the installed level (read-only to most users:
        // a save then fails with a message and the edits stay).
        level = VYN_EDITOR_LEVEL;
        if (!std::filesystem::exists(level)) level = game::ProgramFolders::current().data / game::GameMap::levelFile;
    }
    // A level that cannot be read is reported here, plainly, rather than
    // from inside the first frame; the game takes what was read.
    const game::Level checked = game::Level::read(level);

    game::StartUp startUp;
    startUp.document = [](const game::Level& read) { return std::make_shared<editor::EditorDocument>(read); };
    startUp.title = "Vyn editor";
    game::ApplicationMain::main(checked, startUp);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return command_line::runProgram(editorProgram, argc, argv, parseEditorOptions, edit);
}
