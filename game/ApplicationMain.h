#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "display/Stage.h"
#include "display/text/Font.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

class DocumentClass;

// What a program puts in the game's window.
struct StartUp {
    // The document sprite, built from the level once the stage exists;
    // empty: DocumentClass, the game alone. A program that adds to the game
    // (the editor) builds a class derived from it.
    std::function<std::shared_ptr<DocumentClass>(const Level& level)> document;
    std::string title = "Vyn";
    // Called once the stage exists and the document is on it, before the
    // first frame.
    std::function<void(gfx::display::Stage& stage)> stageReady;
    // The game's area (width × height) scaled to fit the window, centred,
    // with bars of the background colour (StageScaleMode::SHOW_ALL), the
    // game's size staying its own; otherwise one game pixel per window pixel
    // and a larger window shows more of the background.
    bool fitWindow = false;
    // The window opens in full screen. The stage tells of every later
    // change (F11, Alt+Enter, Stage::set_displayState) with a "fullScreen"
    // event.
    bool fullScreen = false;
};

// The programs' start-up: names the application, opens the window and, once
// the stage exists, makes the program's data folder (ProgramFolders) the
// working directory and puts the document sprite on the display root. The
// game itself is built on the first frame (Main::ready).
class ApplicationMain {
public:
    static constexpr const char* company = "Quennick";
    static constexpr const char* file = "Vyn";
    static constexpr const char* packageName = "com.quennick.vyn";
    static constexpr const char* version = VYN_VERSION;
    static constexpr int width = 1120;
    static constexpr int height = 630;
    static constexpr double frameRate = 60;
    static constexpr int backgroundColor = 0x222222;

    // Runs the application until its window is closed; every program starts
    // the game here. From `main` to the first update:
    //
    //  1. main (programs/*/main.cpp) runs in command_line::runProgram, which
    //     asks for the heap's large pages and reads the options;
    //  2. the program reads and checks a level of the user's (Level::read),
    //     so that a fault in it is reported before any window opens;
    //  3. this function (vyn-replay calls it from replay::Replay::run): the
    //     module folder becomes the working directory and gfx::Lib::create
    //     opens the window through the display module (Stage::runMainFrame,
    //     rt_create_main_frame);
    //  4. the module calls back once its stage exists: Lib makes the Stage,
    //     and onLoaded puts the document (a DocumentClass, which is a Main)
    //     on the display root; then the module's loop (runtime/common/
    //     EventLoop) runs until the window closes;
    //  5. on the stage's first due frame it broadcasts "enterFrame":
    //     Main::ready builds the Game and starts it, and the game's
    //     FixedTickProvider, listening from within that same dispatch, runs
    //     the first Engine::update(1/60).
    //
    // The level file path is taken relative to the program's data folder; an
    // absolute one stays as it is. A level read ahead is not read again.
    static void main(const Level& level = GameMap::levelFile, const StartUp& startUp = {});

    // Makes the program's module folder the working directory. The display
    // module is looked for in the working directory first, so a program that
    // does this before its first primitive loads its own module, never one
    // lying where it happened to be started. main does it first thing (a
    // module already loaded stays the one in use).
    static void enterModuleFolder();

    // Makes the program's data folder (assets/, levels/) the working
    // directory, so that the relative paths of the asset table and of the
    // game's level resolve there.
    static void enterDataFolder();

    // A packaged file by asset id, through the getter of its kind: the text
    // of a TEXT asset, the font of a FONT asset, the bytes of any other.
    // Throws std::runtime_error "Asset does not exist: <id>" for an id that
    // is not in the asset table.
    using Asset =
        std::variant<std::optional<std::string>, gfx::text::FontPtr, std::optional<std::vector<unsigned char>>>;
    static Asset getAsset(const std::string& id);

    // The window flags: hardware, resizable, shaders allowed (and full screen
    // when asked for).
    static int windowFlags(const StartUp& startUp = {});

private:
    static void onLoaded(const Level& level, const StartUp& startUp);
};

}  // namespace game
