#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "display/Stage.h"
#include "display/text/Font.h"
#include "game/GameMap.h"

namespace game {

// The program's start-up: names the application, opens the window and, once
// the stage exists, makes the executable's folder the working directory and
// puts the document sprite on the display root. The game itself is built on
// the first frame (Main::ready).
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
    // is taken relative to the executable's folder.
    static void main(const std::string& levelPath = GameMap::levelFile, const StageReady& stageReady = {});

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
    static void onLoaded(const std::string& levelPath, const StageReady& stageReady);
};

}  // namespace game
