// The whole game on the headless display module, per level: one engine
// update with the player running (BM_GameUpdate), one whole frame: the
// update, the "enterFrame" broadcast and drawing the 1120 × 630 frame
// (BM_GameFrame), and the floor of any frame: clearing an image of that size
// and copying it once (BM_FrameFloor); also what an editor click costs the
// game (BM_MapEdit: one cell toggled and its change announced, as the editor does) and a click with the two frames
// drawn after it (BM_MapEditFrames); and building a game: at start-up, the
// level file read and checked and the game built on it (BM_GameStart), and
// a restart, the game built again from the level kept in memory
// (BM_GameRestart). The levels other than the shipped one come from vyn-levelgen (see
// bench/CMakeLists.txt).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "components/MoonNode.h"
#include "display/Loader.h"
#include "display/NativePrimitives.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "game/Game.h"
#include "game/Main.h"
#include "runtime/contract/gfxrt_headless.h"
#include "world/Level.h"
#include "world/MapNode.h"

namespace {

constexpr int width = 1120;
constexpr int height = 630;

const rth_api& api() {
    static const rth_api* table = gfx::Loader::headlessDriver("gfxrt");
    return *table;
}

// One run of the game on a level: the stage, the main sprite, and what to
// measure once the player has been running for a second.
struct Session {
    std::string level;
    benchmark::State* state = nullptr;
    bool wholeFrames = false;
    bool edits = false;
    // Build games instead: from the file (start-up) or from a kept level.
    enum class Build { none, start, restart } build = Build::none;
    std::shared_ptr<gfx::display::Stage> stage;
    std::shared_ptr<game::Main> main;
    int frames = 0;
    bool measuring = false;
};

// Warm-up frames before measuring: the game is built and the player runs.
constexpr int warmFrames = 60;

// The moon's clock is held at five seconds, so that the game never ends
// (which would take most systems out of the engine) during a measurement.
void holdMoon(game::Game& game) {
    auto moons = game.engine->getNodeList<components::MoonNode>();
    if (moons->head != nullptr) moons->head->moon->animationTime = 5;
}

void onFrame(void* context, rt_main_frame* frame) {
    auto* session = static_cast<Session*>(context);
    const auto& prim = gfx::native::StagePrimitives::get();
    session->stage = std::make_shared<gfx::display::Stage>(prim.getFrameStage(frame), width, height);
    session->stage->set_frameRate(60);
    session->stage->set_color(0x222222);
    session->main = std::make_shared<game::Main>(session->level);
    session->stage->addChild(session->main);
}

void measureUpdates(Session& session) {
    game::Game& game = *session.main->get_game();
    for (auto _ : *session.state) {
        holdMoon(game);
        game.engine->update(1.0 / 60);
    }
}

// What an editor click does: toggle one cell and announce the change.
void click(Session& session) {
    auto maps = session.main->get_game()->engine->getNodeList<components::MapNode>();
    const auto map = maps->head->map;
    map->blocks->toggleFilled(3, -20);
    map->cellChangeSignal->dispatch(map, {game::CellChange::Layer::blocks, 3, -20});
}

void measureEdits(Session& session) {
    for (auto _ : *session.state) click(session);
}

// One game after another in a container of its own, as the front end
// builds them; each is dropped before the next.
void measureBuilds(Session& session) {
    const game::Level kept = game::Level::readToKeep(session.level);
    for (auto _ : *session.state) {
        auto container = session.stage->addChild(std::make_shared<gfx::display::Sprite>());
        {
            const game::Level level = session.build == Session::Build::start ? game::Level::read(session.level) : kept;
            game::Game game(container, width, height, level);
            benchmark::DoNotOptimize(game.engine);
        }
        session.stage->removeChild(container);
    }
}

void hook(void* context, int what, const rt_event*) {
    auto* session = static_cast<Session*>(context);
    if (what != RTH_AFTER_RENDER) return;
    ++session->frames;
    if (session->frames < warmFrames || !session->main || !session->main->get_game()) return;
    holdMoon(*session->main->get_game());
    if (session->build != Session::Build::none) {
        measureBuilds(*session);
        api().stop();
        return;
    }
    if (session->edits && !session->wholeFrames) {
        measureEdits(*session);
        api().stop();
        return;
    }
    if (!session->wholeFrames) {
        measureUpdates(*session);
        api().stop();
        return;
    }
    // Each frame the loop draws from here on is one iteration; with edits,
    // an iteration is a click and the two frames after it (the first draws
    // the changed layer, the second finds it unchanged and may index it).
    if (session->edits && session->frames % 2 != 0) return;
    if (!session->state->KeepRunning()) {
        api().stop();
    } else if (session->edits) {
        click(*session);
    }
}

void runSession(benchmark::State& state, const std::string& level, bool wholeFrames, bool edits = false,
                Session::Build build = Session::Build::none) {
    Session session;
    session.level = level;
    session.build = build;
    session.state = &state;
    session.wholeFrames = wholeFrames;
    session.edits = edits;
    api().set_hook(&hook, &session);
    // The player runs to the right from half a second on.
    rt_event run{};
    run.type = RT_EVENT_KEY_DOWN;
    run.value = RT_KEY_D;
    run.code = rt_key_char(RT_KEY_D, 0, 0);
    run.char_code = run.code;
    run.down = 1;
    api().push_event_at(0.5, &run);
    const rt_main_frame_args args{{&onFrame, &session}, width, height, 0, "bench", nullptr};
    gfx::display::Stage::runMainFrame(args);
    api().set_hook(nullptr, nullptr);
    session.main.reset();
    session.stage.reset();
    if (!wholeFrames && state.iterations() == 0) state.SkipWithError("the game did not start");
}

std::string levelPath(const std::string& name) {
    return name == "shipped" ? VYN_SOURCE_DIR "/assets/map.json" : VYN_BIN_DIR "/bench-levels/" + name + ".json";
}

void BM_GameUpdate(benchmark::State& state, const char* level) { runSession(state, levelPath(level), false); }
void BM_GameFrame(benchmark::State& state, const char* level) { runSession(state, levelPath(level), true); }
void BM_MapEdit(benchmark::State& state, const char* level) { runSession(state, levelPath(level), false, true); }
void BM_MapEditFrames(benchmark::State& state, const char* level) { runSession(state, levelPath(level), true, true); }

void BM_GameStart(benchmark::State& state, const char* level) {
    runSession(state, levelPath(level), false, false, Session::Build::start);
}
void BM_GameRestart(benchmark::State& state, const char* level) {
    runSession(state, levelPath(level), false, false, Session::Build::restart);
}

void BM_FrameFloor(benchmark::State& state) {
    std::vector<std::uint32_t> image(static_cast<std::size_t>(width) * height);
    std::vector<std::uint32_t> shown(image.size());
    for (auto _ : state) {
        std::fill(image.begin(), image.end(), 0x222222u);
        std::memcpy(shown.data(), image.data(), image.size() * sizeof image[0]);
        benchmark::DoNotOptimize(shown.data());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_FrameFloor);
BENCHMARK_CAPTURE(BM_GameUpdate, shipped, "shipped");
BENCHMARK_CAPTURE(BM_GameUpdate, 10000, "blocks10000");
BENCHMARK_CAPTURE(BM_GameUpdate, 100000, "blocks100000");
BENCHMARK_CAPTURE(BM_GameUpdate, shards5000, "shards5000");
BENCHMARK_CAPTURE(BM_GameFrame, shipped, "shipped");
BENCHMARK_CAPTURE(BM_GameFrame, 10000, "blocks10000");
BENCHMARK_CAPTURE(BM_GameFrame, 100000, "blocks100000");
BENCHMARK_CAPTURE(BM_MapEdit, shipped, "shipped")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MapEdit, 100000, "blocks100000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MapEditFrames, shipped, "shipped");
BENCHMARK_CAPTURE(BM_MapEditFrames, 100000, "blocks100000");
BENCHMARK_CAPTURE(BM_GameStart, shipped, "shipped")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GameRestart, shipped, "shipped")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GameStart, 100000, "blocks100000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GameRestart, 100000, "blocks100000")->Unit(benchmark::kMillisecond);

}  // namespace
