#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "display/Stage.h"
#include "display/text/Font.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

// The program's start-up: names the application, opens the window and, once
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
    static constexpr const char* title = "Vyn";

    // Called once the stage exists and the document is on it, before the
    // first frame.
    using StageReady = std::function<void(gfx::display::Stage& stage)>;

    // Runs the application until its window is closed. The level file path
    // is taken relative to the program's data folder; an absolute one stays
    // as it is. A level read ahead (Level::read) is not read again.
    static void main(const Level& level = GameMap::levelFile, const StageReady& stageReady = {});

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

    // The window flags: hardware, resizable, shaders allowed.
    static int windowFlags();

private:
    static void onLoaded(const Level& level, const StageReady& stageReady);
};

}  // namespace game
