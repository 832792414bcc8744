#include "tests/support/headless/HeadlessLoop.h"

#include <stdexcept>

#include "display/Loader.h"
#include "display/NativePrimitives.h"

namespace {

struct RunContext {
    HeadlessLoop* loop;
    const std::function<void(gfx::display::Stage&)>* setup;
    int width;
    int height;
};

void onFrame(void* context, rt_main_frame* frame) {
    auto* run = static_cast<RunContext*>(context);
    const auto& prim = gfx::native::StagePrimitives::get();
    run->loop->stage = std::make_shared<gfx::display::Stage>(prim.getFrameStage(frame), run->width, run->height);
    (*run->setup)(*run->loop->stage);
}

void hook(void* context, int what, const rt_event* event) {
    if (what != RTH_AFTER_EVENT || event == nullptr) return;
    auto* loop = static_cast<HeadlessLoop*>(context);
    loop->seen.push_back({*event, HeadlessLoop::api().time(), HeadlessLoop::api().render_count()});
}

// The loop whose stage is the module's current one. Opening a new stage frees
// the module's previous stage node, so the previous program Stage goes first.
HeadlessLoop* current = nullptr;

}  // namespace

const rth_api& HeadlessLoop::api() {
    static const rth_api* table = [] {
        // The module the program uses, asked for its driver.
        const rth_api* driver = gfx::Loader::headlessDriver("gfxrt");
        if (driver == nullptr) throw std::runtime_error("the display module cannot be driven: not the headless one");
        return driver;
    }();
    return *table;
}

HeadlessLoop::HeadlessLoop() { api().set_hook(&hook, this); }

HeadlessLoop::~HeadlessLoop() {
    if (current == this) current = nullptr;
    api().set_hook(nullptr, nullptr);
    api().set_end_time(1e300);
}

void HeadlessLoop::run(double endTime, const std::function<void(gfx::display::Stage&)>& setup, int width, int height) {
    if (current != nullptr) current->stage.reset();
    current = this;
    api().set_end_time(endTime);
    RunContext context{this, &setup, width, height};
    const rt_main_frame_args args{{&onFrame, &context}, width, height, 0, "test", nullptr};
    gfx::display::Stage::runMainFrame(args);
}

rt_event HeadlessLoop::event(int type, int value, int id, int x, int y, int flags, int code) {
    rt_event e{};
    e.type = type;
    e.value = value;
    e.id = id;
    e.x = x;
    e.y = y;
    e.flags = flags;
    e.code = code;
    return e;
}
