#pragma once

#include <functional>
#include <memory>
#include <string>

#include "display/Sprite.h"
#include "display/Stage.h"

namespace gfx {

// Opens the window and makes the stage, once, at start; keeps the root clip
// `current` to which the program's document sprite is added.
class Lib {
public:
    // Window-creation flags, or-ed together.
    static constexpr int FULLSCREEN = 1;
    static constexpr int BORDERLESS = 2;
    static constexpr int RESIZABLE = 4;
    static constexpr int HARDWARE = 8;
    static constexpr int VSYNC = 16;
    static constexpr int HW_AA = 32;
    static constexpr int HW_AA_HIRES = 96;
    static constexpr int ALLOW_SHADERS = 128;
    static constexpr int REQUIRE_SHADERS = 256;
    static constexpr int DEPTH_BUFFER = 512;
    static constexpr int STENCIL_BUFFER = 1024;

    // Opens the window and runs the native event loop until it closes. Once
    // the stage exists, `onLoaded` runs with `current` already on the stage.
    // A second call throws std::logic_error.
    static void create(const std::function<void()>& onLoaded, int width, int height, double frameRate = 60,
                       int color = 0xFFFFFF, int flags = 15, const std::string& title = "",
                       const char* icon = nullptr);

    // The root clip, made on first use.
    static std::shared_ptr<display::Sprite> get_current();
    // The stage, or null before create has made it.
    static std::shared_ptr<display::Stage> get_stage();

    static int get_initWidth();
    static int get_initHeight();

    // Names the application: company, file name, package identifier, version.
    static void setPackage(const std::string& company, const std::string& file, const std::string& packageName,
                           const std::string& version);
    static std::string get_company();
    static std::string get_file();
    static std::string get_packageName();
    static std::string get_version();

    // Ends the event loop and closes the window.
    static void close();
};

}  // namespace gfx
