#include "display/Lib.h"

#include <stdexcept>

#include "display/NativePrimitives.h"

namespace gfx {

namespace {

struct LibState {
    bool created = false;
    int initWidth = 0;
    int initHeight = 0;
    double frameRate = 60;
    int color = 0xFFFFFF;
    std::function<void()> onLoaded;
    std::shared_ptr<display::Sprite> current;
    std::shared_ptr<display::Stage> stage;
    std::string company;
    std::string file;
    std::string packageName;
    std::string version;
};

// Never destroyed: the stage and the tree live for the whole run, and must not
// be torn down during static destruction after the module's own state.
LibState& state() {
    static LibState* instance = new LibState();
    return *instance;
}

void onFrame(void*, rt_main_frame* frame) {
    LibState& s = state();
    const auto& prim = native::StagePrimitives::get();
    s.stage = std::make_shared<display::Stage>(prim.getFrameStage(frame), s.initWidth, s.initHeight);
    s.stage->set_frameRate(s.frameRate);
    s.stage->set_color(s.color);
    s.stage->onQuit = [] { Lib::close(); };
    s.stage->addChild(Lib::get_current());
    if (s.onLoaded) s.onLoaded();
}

}  // namespace

void Lib::create(const std::function<void()>& onLoaded, int width, int height, double frameRate, int color, int flags,
                 const std::string& title, const char* icon) {
    LibState& s = state();
    if (s.created) {
        throw std::logic_error(
            "gfx.Lib.create called multiple times. This function is automatically called by the project code.");
    }
    s.created = true;
    s.initWidth = width;
    s.initHeight = height;
    s.frameRate = frameRate;
    s.color = color;
    s.onLoaded = onLoaded;
    const rt_main_frame_args args{{&onFrame, nullptr}, width, height, flags, title.c_str(), icon};
    display::Stage::runMainFrame(args);
}

std::shared_ptr<display::Sprite> Lib::get_current() {
    LibState& s = state();
    if (!s.current) s.current = std::make_shared<display::Sprite>();
    return s.current;
}

std::shared_ptr<display::Stage> Lib::get_stage() { return state().stage; }

int Lib::get_initWidth() { return state().initWidth; }
int Lib::get_initHeight() { return state().initHeight; }

void Lib::setPackage(const std::string& company, const std::string& file, const std::string& packageName,
                     const std::string& version) {
    LibState& s = state();
    s.company = company;
    s.file = file;
    s.packageName = packageName;
    s.version = version;
}

std::string Lib::get_company() { return state().company; }
std::string Lib::get_file() { return state().file; }
std::string Lib::get_packageName() { return state().packageName; }
std::string Lib::get_version() { return state().version; }

void Lib::close() { native::StagePrimitives::get().close(); }

}  // namespace gfx
