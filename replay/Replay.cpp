#include "replay/Replay.h"

#include <iostream>

#include "base/UserFolders.h"
#include "display/Lib.h"
#include "frontend/FrontEnd.h"
#include "frontend/LevelCatalog.h"
#include "game/ApplicationMain.h"
#include "game/DocumentClass.h"
#include "game/ProgramFolders.h"
#include "runs/FrontTraceLine.h"
#include "runs/NativeEvents.h"
#include "runs/TraceLine.h"

namespace replay {

Replay::Replay(const rth_api& api, ReplayOptions options, runs::Script script, Outputs outputs,
               std::optional<game::Level> level)
    : api_(api),
      options_(std::move(options)),
      level_(level ? std::move(*level)
                   : game::Level(options_.level.empty() ? game::GameMap::levelFile : options_.level.string())),
      script_(std::move(script)),
      trace_(outputs.trace),
      counter_([this](int tick, const game::Main& main) { afterUpdate(tick, main); },
               options_.front ? runs::UpdateCounter::Count::frames : runs::UpdateCounter::Count::updates) {
    shotTaken_.assign(options_.shots.size(), false);
    options_.ticks = updatesToRun(options_, script_);
    // A cue belongs to the tick whose trace line comes after it.
    if (outputs.sounds != nullptr)
        cueLog_ = std::make_unique<runs::CueLog>(*outputs.sounds, [this] { return lastTick_ + 1; });
}

Replay::~Replay() {
    gameCues_.disconnect();
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
    game::ApplicationMain::main(level_, startUp());

    int status = 0;
    if (stalled_) {
        std::fprintf(stderr, "vyn-replay: the window stayed inactive after update %d with no input left\n", lastTick_);
    }
    // A run through the front end may end by its own Quit.
    if (lastTick_ < *options_.ticks && !stalled_ && !options_.front && (trace_ == nullptr || !trace_->failed())) {
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
    if (options_.checkWin && wonAt_ != options_.checkWin) {
        if (wonAt_) {
            std::fprintf(stderr, "vyn-replay: the run won at update %d, not %d\n", *wonAt_, *options_.checkWin);
        } else {
            std::fprintf(stderr, "vyn-replay: the run did not win by update %d\n", *options_.checkWin);
        }
        status = 1;
    }
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
    counter_.attach(*stage);
    stage->onNativeEvent = [this](const rt_event& record) {
        if (auto front = frontEnd_.lock()) front->nativeEvent(record);
    };
}

game::StartUp Replay::startUp() {
    game::StartUp startUp;
    if (!options_.front) {
        if (cueLog_) {
            startUp.document = [this](const game::Level& level) {
                auto document = std::make_shared<game::DocumentClass>(level);
                document->gameBuilt = [this](game::Game& game) {
                    gameCues_ = game.cues->announced.connect({cueLog_.get(), &runs::CueLog::cue});
                };
                return document;
            };
        }
        return startUp;
    }
    const bool levelGiven = !options_.level.empty();
    const auto player = base::UserFolders::fromEnvironment();
    // The runs played are the player's, as in vyn: kept and checked by
    // this very program, each check done before the run goes on.
    progress_ =
        std::make_unique<progress::PlayerProgress>(player.data, game::ProgramFolders::current().programs / "vyn-replay",
                                                   std::cerr, progress::PlayerProgress::Checks::atOnce);
    startUp.document = [this, levelGiven, player](const game::Level& level) {
        // The levels as the player's game lists them; the settings are the
        // defaults, never the player's, and no setting is saved.
        frontend::FrontEnd::Setup setup{
            frontend::LevelCatalog::standard(player), {}, nullptr, levelGiven ? std::optional(level) : std::nullopt};
        setup.seed = options_.seed.value_or(ReplayOptions::defaultSeed);
        setup.progress = progress_.get();
        setup.sound = cueLog_.get();
        auto made = std::make_shared<frontend::FrontEnd>(std::move(setup));
        frontEnd_ = made;
        return made;
    };
    // As vyn opens its window with the default settings.
    startUp.fitWindow = frontend::Settings{}.fitWindow;
    return startUp;
}

void Replay::afterUpdate(int tick, const game::Main& main) {
    if (finished_) return;
    lastTick_ = tick;
    if (options_.checkWin && !wonAt_ && main.get_game() && main.get_game()->isWon()) wonAt_ = tick;
    if (trace_ != nullptr) {
        trace_->writeLine(options_.front ? runs::frontTraceLine(tick, static_cast<const frontend::FrontEnd&>(main))
                                         : runs::traceLine(tick, *main.get_game()));
        // A full disk or a closed pipe: the rest of the run would be lost.
        if (trace_->failed()) {
            finished_ = true;
            return;
        }
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

void Replay::push(const runs::ScriptEvent& scripted) {
    rt_event record = runs::toNative(scripted, input_);
    api_.push_event(&record);
}

}  // namespace replay
