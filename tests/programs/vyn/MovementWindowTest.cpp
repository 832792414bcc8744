// The movement systems in the real game: `vyn` in a window on a virtual X
// server of the test's own, played with real key presses sent by xdotool
// and watched through the window's frames. The game's own level: the player
// walks left into the low block near the start, jumps onto it, runs right
// until it turns into a beam, flies to the tall wall, bounces off it up and
// away (W held while flying) and lands back on the ground as a box.
//
// Each step waits for what the frames show, with a bound on attempts only.
// Two reactions count: the keys go up once the player is over the block,
// and W has to reach the game while the beam's first flight lasts, about a
// third of a second of game time after the beam is first seen. A try whose
// reaction came too late is started again from the level's start.
#include <gtest/gtest.h>

#include <cstdlib>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Scene.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using namespace vyn::testing;

void nap(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Each step looks at up to this many frames, tens of seconds on a slow
// (sanitizer) build: a bound on attempts, not a measurement of the game's
// speed. The whole course takes the game about five seconds.
constexpr int attempts = 2000;
constexpr int napMs = 5;

// Cells of the level that the walk passes: the one-block-high block nearest
// to the left of the start, and the first wall to the right of it.
struct Landmarks {
    int lowBlock = 0;   // its cell column, in the row on the ground
    int wall = 0;       // the wall's cell column
    int wallCells = 0;  // its height in cells
};

// Found in the level that `vyn` reads (beside the program), checked to be
// a course the steps below can follow.
std::optional<Landmarks> landmarksOf(const std::string& path, std::string& why) {
    std::ifstream in(path);
    const auto level = nlohmann::json::parse(in, nullptr, false);
    if (level.is_discarded()) {
        why = "cannot read " + path;
        return std::nullopt;
    }
    std::set<std::pair<int, int>> blocks;
    for (const auto& cell : level["blocks"]) blocks.emplace(cell[0].get<int>(), cell[1].get<int>());
    auto filled = [&](int x, int y) { return blocks.count({x, y}) > 0; };
    Landmarks marks;
    for (marks.lowBlock = -1; marks.lowBlock > -20 && !filled(marks.lowBlock, -1); --marks.lowBlock) {}
    for (marks.wall = 0; marks.wall < 40 && !filled(marks.wall, -1); ++marks.wall) {}
    while (filled(marks.wall, -1 - marks.wallCells)) ++marks.wallCells;
    if (!filled(marks.lowBlock, -1) || filled(marks.lowBlock, -2) || marks.wallCells < 4) {
        why = "no low block left of the start and tall wall right of it in " + path;
        return std::nullopt;
    }
    // The air above the low block and everything between it and the wall,
    // up to the height of the wall, is free to jump and fly through.
    for (int x = marks.lowBlock; x < marks.wall; ++x) {
        for (int y = x == marks.lowBlock ? -2 : -1; y >= -marks.wallCells; --y) {
            if (filled(x, y)) {
                why = "a block in the way at [" + std::to_string(x) + "," + std::to_string(y) + "] in " + path;
                return std::nullopt;
            }
        }
    }
    return marks;
}

// What a frame shows that the steps look at, relative to the ground: the
// player's box and height above the ground, the right face of the low block
// to its left and the left face of the tall wall.
struct Look {
    PlayerSighting player;
    int horizon = 0;
    double height = 0;  // of the player's centre above the ground
    std::optional<int> lowBlockFace;
    std::optional<int> wallFace;
    // A one-block-high block under the player's centre, give or take the
    // five pixels by which a box stands over a corner.
    std::optional<BlockRun> lowBlockUnder;

    bool upright() const { return player.look == PlayerLook::Upright; }
    bool beam() const { return player.look == PlayerLook::Beam; }
    bool onGround() const { return upright() && std::abs(height - 10) <= 2; }
    std::string describe() const {
        std::ostringstream text;
        text << "player [" << player.body.left << "," << player.body.top << " - " << player.body.right << ","
             << player.body.bottom << "] look " << static_cast<int>(player.look) << " height " << height << " reach "
             << player.reachLeft << ".." << player.reachRight << " horizon " << horizon;
        if (lowBlockFace) text << " low block face " << *lowBlockFace;
        if (wallFace) text << " wall face " << *wallFace;
        if (lowBlockUnder) text << " low block under " << lowBlockUnder->left << ".." << lowBlockUnder->right;
        return text.str();
    }
};

std::optional<Look> lookAt(const Scene& scene, const Landmarks& marks) {
    if (!scene.horizon() || !scene.player()) return std::nullopt;
    Look look;
    look.player = *scene.player();
    look.horizon = *scene.horizon();
    look.height = look.horizon - (look.player.body.top + look.player.body.bottom) / 2.0;
    // Blocks are measured from a row in the middle of the ground row of
    // cells, their heights from just above the blended edge of the ground.
    const int row = look.horizon - 25;
    const int base = look.horizon - 3;
    for (const auto& run : scene.blockRuns(row)) {
        const int height = scene.blockHeight((run.left + run.right) / 2, base);
        const bool low = height >= 40 && height <= 55;
        if (low && run.right <= look.player.body.left + 2) look.lowBlockFace = run.right;
        const double centre = look.player.body.centreX();
        if (low && centre >= run.left - 6 && centre <= run.right + 6) look.lowBlockUnder = run;
        if (run.left > 0 && height >= 50 * marks.wallCells - 10 && !look.wallFace) look.wallFace = run.left;
    }
    return look;
}

// The game in its window, watched frame by frame and played with keys.
class Game {
public:
    Game(const std::string& display, unsigned long window, const Landmarks& marks)
        : display_(display), window_(window), marks_(marks), x_(display) {}

    // Frames until one satisfies `done` (or `hopeless`, when what it waits
    // for can no longer come), each that shows the player also handed to
    // `seen`; the last look, satisfying or not.
    std::optional<Look> waitFor(const std::function<bool(const Look&)>& done,
                                const std::function<void(const Look&)>& seen = nullptr,
                                const std::function<bool(const Look&)>& hopeless = nullptr) {
        std::optional<Look> last;
        for (int i = 0; i < attempts; ++i, nap(napMs)) {
            auto now = poll();
            if (!now) continue;
            last = now;
            if (seen) seen(*now);
            if (done(*now) || (hopeless && hopeless(*now))) break;
        }
        return last;
    }

    // Waits until the condition holds in two frames a few updates apart
    // with the player's box in the same place: the player is at rest there.
    std::optional<Look> waitForRest(const std::function<bool(const Look&)>& where) {
        std::optional<Look> last;
        for (int i = 0; i < attempts; ++i, nap(napMs)) {
            auto first = poll();
            if (!first) continue;
            last = first;
            if (!where(*first)) continue;
            nap(100);
            auto again = poll();
            if (!again) continue;
            last = again;
            if (where(*again) && again->player.body.left == first->player.body.left &&
                again->player.body.top == first->player.body.top) {
                break;
            }
        }
        return last;
    }

    bool key(const std::string& action) { return xdotool(display_, window_, action) == 0; }

private:
    // What the window shows now, if it shows the player and the ground.
    std::optional<Look> poll() {
        auto frame = x_.grab(window_);
        if (!frame) return std::nullopt;
        return lookAt(Scene(std::move(*frame)), marks_);
    }

    std::string display_;
    unsigned long window_;
    Landmarks marks_;
    XClient x_;
};

}  // namespace

// One try at the course from the level's start, up to the player at rest
// beside the wall: that last look, and every look of the flight. Two steps
// need the test's reaction while the game runs on in real time (letting go
// over the block, W during the beam's first flight); when a loaded machine
// made one come too late, the player is elsewhere and the try says why in
// `missed`. What holds whatever the timing is checked here.
std::optional<Look> tryCourse(Game& game, const Landmarks& marks, std::vector<Look>& flight, std::string& missed) {
    auto miss = [&](const std::string& step, const std::optional<Look>& at) {
        missed = step + ": " + (at ? at->describe() : "no frame");
        return std::nullopt;
    };
    // At the start the player stands on the ground, its left side
    // 50 × (0 − lowBlock − 1) − 5 pixels from the low block's right face.
    auto at = game.waitForRest([](const Look& l) { return l.onGround() && l.lowBlockFace; });
    if (!at || !at->onGround() || !at->lowBlockFace) return miss("at the start", at);
    const int startGap = at->player.body.left - *at->lowBlockFace;
    EXPECT_NEAR(startGap, 50 * (-marks.lowBlock - 1) - 5, 2) << at->describe();

    // Walking: A held, along the ground, until the block stops the player.
    std::vector<Look> walk;
    EXPECT_TRUE(game.key("keydown a"));
    at = game.waitFor(
        [](const Look& l) { return l.onGround() && l.lowBlockFace && l.player.body.left - *l.lowBlockFace <= 1; },
        [&](const Look& l) { walk.push_back(l); });
    if (!at || !at->onGround() || !at->lowBlockFace) return miss("against the block", at);
    EXPECT_LE(at->player.body.left - *at->lowBlockFace, 1) << "against the block: " << at->describe();
    // On the ground all the way, nearer the block from frame to frame.
    std::set<int> gaps;
    int lastGap = startGap;
    for (const auto& l : walk) {
        EXPECT_NEAR(l.height, 10, 2) << "walking on the ground: " << l.describe();
        if (!l.lowBlockFace) continue;
        const int gap = l.player.body.left - *l.lowBlockFace;
        EXPECT_LE(gap, lastGap + 1) << l.describe();
        lastGap = gap;
        gaps.insert(gap);
    }
    EXPECT_GE(gaps.size(), 3u) << "seen on the way";

    // The jump: W with A still held. Once the player is higher than the
    // block with its centre over it, both keys go up; it comes down on the
    // block and stays there. (Let go as soon as it rose above the block, a
    // box that had not yet moved over the corner fell back beside it.)
    EXPECT_TRUE(game.key("keydown w"));
    auto overTheBlock = [](const Look& l) {
        return l.height > 62 && l.lowBlockUnder && l.player.body.centreX() <= l.lowBlockUnder->right - 3;
    };
    at = game.waitFor(overTheBlock, nullptr, [](const Look& l) { return l.onGround() && !l.lowBlockFace; });
    if (!at || !overTheBlock(*at)) return miss("over the block", at);
    EXPECT_TRUE(game.key("keyup a"));
    EXPECT_TRUE(game.key("keyup w"));
    at = game.waitForRest([](const Look& l) { return l.upright() && std::abs(l.height - 60) <= 2; });
    if (!at || !at->upright() || std::abs(at->height - 60) > 2 || !at->lowBlockUnder) {
        return miss("standing on the block", at);
    }

    // Running right: D held until the player turns into a beam, flying to
    // the right with its line to the wall.
    EXPECT_TRUE(game.key("keydown d"));
    at = game.waitFor([](const Look& l) { return l.beam(); });
    if (!at || !at->beam()) return miss("a beam", at);
    // W while it flies: the bounce leaves the wall up and away from it.
    EXPECT_TRUE(game.key("keyup d"));
    EXPECT_TRUE(game.key("keydown w"));
    EXPECT_GT(at->player.reachRight - at->player.body.right, 30) << "the line runs right: " << at->describe();
    if (at->wallFace) {
        EXPECT_NEAR(at->player.reachRight, *at->wallFace, 3) << "to the wall: " << at->describe();
    }

    // Until the player stands on the ground again.
    at = game.waitFor([](const Look& l) { return l.onGround(); }, [&](const Look& l) { flight.push_back(l); });
    EXPECT_TRUE(game.key("keyup w"));
    if (!at || !at->onGround()) return miss("back on the ground", at);
    at = game.waitForRest([](const Look& l) { return l.onGround() && l.wallFace; });
    if (!at || !at->onGround() || !at->wallFace) {
        // If W came after the first flight, the beam went back to the low block.
        return miss("at rest beside the wall", at);
    }
    return at;
}

TEST(MovementWindow, WalkJumpOntoABlockBeamBounceOffTheWallAndLandAsABox) {
    std::string why;
    const auto marks = landmarksOf(std::string(VYN_BIN_DIR) + "/assets/map.json", why);
    ASSERT_TRUE(marks) << why;

    TempFolder folder;
    const std::string log = folder.file("vyn.log");
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    XClient x(display.name());
    ASSERT_TRUE(x.ok());
    // The level at once, with no title; no file of the player's is touched.
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    DisplayProgram vyn(display.name(), "vyn", {std::string(VYN_BIN_DIR) + "/assets/map.json"}, log);
    ASSERT_TRUE(vyn.started());
    XClient::WindowId window = 0;
    for (int i = 0; i < attempts && window == 0; ++i, nap(napMs)) window = x.find("Vyn");
    ASSERT_NE(window, 0u) << "no window titled \"Vyn\"; output:\n" << TempFolder::read(log);
    Game game(display.name(), window, *marks);

    // A try whose reaction came too late starts again: all keys up and R,
    // which restarts the level at once.
    constexpr int tries = 4;
    std::vector<Look> seen;
    std::optional<Look> at;
    std::string missed;
    for (int i = 0; i < tries && !at; ++i) {
        if (i > 0) {
            ASSERT_TRUE(game.key("keyup a keyup d keyup w key r"));
        }
        seen.clear();
        at = tryCourse(game, *marks, seen, missed);
    }
    ASSERT_TRUE(at) << "the course missed " << tries << " times; the last: " << missed;

    // Released at the middle of the wall's face along (−1, −1)/√2 at 1500
    // per second, it rises and, slowed by friction, comes down 1060.66 ÷ 60
    // × 5 = 88.4 pixels left of the wall.
    const double rest = *at->wallFace - at->player.body.centreX();
    EXPECT_NEAR(rest, 88.4, 3) << at->describe();

    // The bounce as the frames saw it: the beam never passed the wall; after
    // it the player, solid, went up and moved away from the wall.
    double highest = 0;
    std::optional<double> nearestAfter;
    bool afterBeam = false;
    for (const auto& l : seen) {
        if (l.wallFace) {
            EXPECT_LE(l.player.body.centreX(), *l.wallFace + 1) << l.describe();
        }
        if (l.beam()) continue;
        afterBeam = true;
        highest = std::max(highest, l.height);
        if (l.wallFace && !nearestAfter) nearestAfter = *l.wallFace - l.player.body.centreX();
    }
    EXPECT_TRUE(afterBeam);
    EXPECT_GT(highest, 150) << "up and away from the wall";
    ASSERT_TRUE(nearestAfter) << "the wall was never seen after the beam";
    EXPECT_LT(*nearestAfter, rest - 10) << "seen nearer the wall before it came to rest";
    // Closing the window is the game's own test; this one ends the program.
}
