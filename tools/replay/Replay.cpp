#include "tools/replay/Replay.h"

#include "display/Lib.h"
#include "game/ApplicationMain.h"
#include "tools/replay/TraceLine.h"

namespace replay {

Replay::Replay(const rth_api& api, ReplayOptions options, Script script, std::FILE* trace)
    : api_(api), options_(std::move(options)), script_(std::move(script)), trace_(trace) {
    shotTaken_.assign(options_.shots.size(), false);
    options_.ticks = updatesToRun(options_, script_);
}

Replay::~Replay() {
    api_.set_hook(nullptr, nullptr);
    api_.set_draw_every_frame(1);
}

int Replay::run() {
    api_.set_hook(&Replay::hook, this);
    // Only the frames of shots are ever looked at: the others are counted
    // but not rasterised (a shot reads its frame from the render hook).
    api_.set_draw_every_frame(0);
    // Events of tick 0 come before the first frame, as the loop starts.
    while (nextEvent_ < script_.events.size() && script_.events[nextEvent_].tick == 0) {
        push(script_.events[nextEvent_++]);
    }
    if (options_.level.empty()) {
        game::ApplicationMain::main();
    } else {
        game::ApplicationMain::main(options_.level.string());
    }

    int status = 0;
    if (stalled_) {
        std::fprintf(stderr, "vyn-replay: the window stayed inactive after update %d with no input left\n", lastTick_);
    }
    if (lastTick_ < *options_.ticks && !stalled_) {
        std::fprintf(stderr, "vyn-replay: the game ended after update %d of %d\n", lastTick_, *options_.ticks);
    }
    for (std::size_t i = 0; i < options_.shots.size(); ++i) {
        if (!shotTaken_[i]) {
            std::fprintf(stderr, "vyn-replay: no frame was drawn after update %d for %s\n", options_.shots[i].tick,
                         options_.shots[i].file.c_str());
            status = 1;
        }
    }
    if (shotFailed_) status = 1;
    return status;
}

void Replay::hook(void* context, int what, const rt_event* event) {
    static_cast<Replay*>(context)->onHook(what, event);
}

void Replay::onHook(int what, const rt_event* event) {
    attach();
    if (what == RTH_AFTER_RENDER) {
        afterRender();
    } else if (event != nullptr) {
        afterEvent(*event);
    }
}

void Replay::attach() {
    if (attached_) return;
    auto stage = gfx::Lib::get_stage();
    if (!stage) return;
    attached_ = true;
    onFrame_ = stage->connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &Replay::afterFrame});
}

std::shared_ptr<game::Main> Replay::findMain() const {
    auto root = gfx::Lib::get_current();
    for (int i = 0; i < root->get_numChildren(); ++i) {
        if (auto main = std::dynamic_pointer_cast<game::Main>(root->getChildAt(i))) return main;
    }
    return nullptr;
}

void Replay::afterFrame(const gfx::events::EventPtr&) {
    auto main = findMain();
    if (!main || !main->get_game() || finished_) return;
    // Every frame event of the main sprite, from the one that built the
    // game on, ran one engine update.
    const int tick = ++lastTick_;
    if (trace_ != nullptr) {
        const std::string line = traceLine(tick, *main->get_game());
        std::fputs(line.c_str(), trace_);
        std::fputc('\n', trace_);
    }
    if (tick >= *options_.ticks) {
        finished_ = true;
        return;
    }
    while (nextEvent_ < script_.events.size() && script_.events[nextEvent_].tick <= tick) {
        push(script_.events[nextEvent_++]);
    }
}

void Replay::afterRender() {
    // The first frame drawn after an update is that update's frame.
    for (std::size_t i = 0; i < options_.shots.size(); ++i) {
        if (!shotTaken_[i] && options_.shots[i].tick == lastTick_) {
            shotTaken_[i] = true;
            if (api_.save_png(options_.shots[i].file.c_str()) != 1) {
                std::fprintf(stderr, "vyn-replay: cannot write %s\n", options_.shots[i].file.c_str());
                shotFailed_ = true;
            }
        }
    }
    if (finished_) api_.stop();
}

void Replay::afterEvent(const rt_event& event) {
    if (event.type != RT_EVENT_POLL || finished_) return;
    auto stage = gfx::Lib::get_stage();
    if (!stage || stage->get_active()) return;
    // An inactive window draws no frames, so no update would ever deliver
    // the events still to come: they go out one per poll instead, until one
    // of them makes the window active again.
    if (nextEvent_ < script_.events.size()) {
        push(script_.events[nextEvent_++]);
    } else {
        stalled_ = true;
        api_.stop();
    }
}

void Replay::push(const ScriptEvent& scripted) {
    using Kind = ScriptEvent::Kind;
    rt_event e{};
    e.id = 0;  // the module fills in the stage, or the object under the mouse
    switch (scripted.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp: {
            const bool down = scripted.kind == Kind::KeyDown;
            if (scripted.keyCode == RT_KEY_SHIFT) shiftDown_ = down;
            e.type = down ? RT_EVENT_KEY_DOWN : RT_EVENT_KEY_UP;
            e.value = scripted.keyCode;
            // The character the key types, as the display module reports it.
            e.code = rt_key_char(scripted.keyCode, shiftDown_, 0);
            e.char_code = e.code;
            e.down = down ? 1 : 0;
            break;
        }
        case Kind::Move:
            e.type = RT_EVENT_MOUSE_MOVE;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        case Kind::Press:
        case Kind::Release: {
            const bool down = scripted.kind == Kind::Press;
            const bool left = scripted.button == ScriptEvent::Button::Left;
            if (left) leftDown_ = down;
            e.type = down ? RT_EVENT_MOUSE_DOWN : RT_EVENT_MOUSE_UP;
            e.value = left ? RT_BUTTON_LEFT : RT_BUTTON_RIGHT;
            e.down = down ? 1 : 0;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        }
        case Kind::FocusOut:
            e.type = RT_EVENT_DEACTIVATE;
            break;
        case Kind::FocusIn:
            e.type = RT_EVENT_ACTIVATE;
            break;
        case Kind::Resize:
            e.type = RT_EVENT_RESIZE;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        case Kind::Close:
            e.type = RT_EVENT_QUIT;
            break;
    }
    // Modifier state after the event, as the windowing system reports it.
    if (shiftDown_) e.flags |= RT_EF_SHIFT_DOWN;
    const bool mouse = e.type == RT_EVENT_MOUSE_MOVE || e.type == RT_EVENT_MOUSE_DOWN || e.type == RT_EVENT_MOUSE_UP;
    if (mouse && leftDown_) e.flags |= RT_EF_LEFT_DOWN;
    api_.push_event(&e);
}

}  // namespace replay
