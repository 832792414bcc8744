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
    static constexpr int FULLSCREEN = RT_WINDOW_FULLSCREEN;
    static constexpr int BORDERLESS = RT_WINDOW_BORDERLESS;
    static constexpr int RESIZABLE = RT_WINDOW_RESIZABLE;
    static constexpr int HARDWARE = RT_WINDOW_HARDWARE;
    static constexpr int VSYNC = RT_WINDOW_VSYNC;
    static constexpr int HW_AA = RT_WINDOW_HW_AA;
    static constexpr int HW_AA_HIRES = RT_WINDOW_HW_AA_HIRES;
    static constexpr int ALLOW_SHADERS = RT_WINDOW_ALLOW_SHADERS;
    static constexpr int REQUIRE_SHADERS = RT_WINDOW_REQUIRE_SHADERS;
    static constexpr int DEPTH_BUFFER = RT_WINDOW_DEPTH_BUFFER;
    static constexpr int STENCIL_BUFFER = RT_WINDOW_STENCIL_BUFFER;

    // Opens the window and runs the native event loop until it closes. Once
    // the stage exists, `onLoaded` runs with `current` already on the stage.
    // What the program throws inside the loop (`onLoaded`, a listener) closes
    // the window and comes out of create. A second call throws
    // std::logic_error.
    static void create(const std::function<void()>& onLoaded, int width, int height, double frameRate = 60,
                       int color = 0xFFFFFF, int flags = 15, const std::string& title = "", const char* icon = nullptr);

    // The root clip, made on first use.
    [[nodiscard]] static std::shared_ptr<display::Sprite> get_current();
    // The stage, or null before create has made it.
    [[nodiscard]] static std::shared_ptr<display::Stage> get_stage();

    [[nodiscard]] static int get_initWidth();
    [[nodiscard]] static int get_initHeight();

    // Names the application: company, file name, package identifier, version.
    static void setPackage(const std::string& company, const std::string& file, const std::string& packageName,
                           const std::string& version);
    [[nodiscard]] static std::string get_company();
    [[nodiscard]] static std::string get_file();
    [[nodiscard]] static std::string get_packageName();
    [[nodiscard]] static std::string get_version();

    // Ends the event loop and closes the window.
    static void close();
};

}  // namespace gfx
