// Walking, jumping and the beam in the assembled game, run by vyn-replay
// from a script of key events on a level of the test's own and read back
// from its trace, update by update.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using vyn::testing::replay;
using vyn::testing::traceOf;

// The player's part of the trace line of an update (updates count from 1).
const nlohmann::json& player(const std::vector<nlohmann::json>& lines, int update) {
    return lines.at(static_cast<std::size_t>(update - 1))["player"];
}

double number(const nlohmann::json& player, const char* key) { return player[key].get<double>(); }

// The speed the run keys give from rest: 35 per update until it passes 1500
// (on the 43rd update, at 1505), then 210 per update.
double runSpeedAfter(int updates) {
    double v = 0;
    for (int i = 0; i < updates; ++i) v += v > 1500 ? 210 : 35;
    return v;
}

}  // namespace

// Open ground and one wall, three cells high, from x = 2000 on. The player
// lands at the start by update 12. D from update 20 on: it walks, jumps on
// update 22 (W), lands, runs on and turns into a beam on the 51st update of
// holding D (update 70), flies to the wall, bounces back and, with no wall
// behind it, is let go and is solid again.
TEST(MovementReplay, ThePlayerWalksJumpsBeamsToTheWallBouncesAndIsSolidAgain) {
    TempFolder folder;
    folder.write("level.json", R"({"blocks":[[40,-1],[40,-2],[40,-3]],"items":[]})");
    folder.write("run.txt", "19 down D\n21 down W\n23 up W\n70 up D\n");
    auto run = replay(folder, {"--level", "level.json", "--ticks", "140", "--trace", "t.jsonl", "run.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 140u);

    // At rest on the ground line at the start.
    const auto& rest = player(lines, 19);
    EXPECT_EQ(rest["state"], "solid");
    EXPECT_EQ(number(rest, "x"), 0.0);
    EXPECT_EQ(number(rest, "y"), -10.0);
    EXPECT_EQ(number(rest, "vx"), 0.0);
    EXPECT_TRUE(rest["onGround"].get<bool>());

    // Walking: on the ground, x growing.
    for (int update : {20, 21}) {
        const auto& p = player(lines, update);
        EXPECT_TRUE(p["onGround"].get<bool>()) << update;
        EXPECT_GT(number(p, "x"), number(player(lines, update - 1), "x")) << update;
    }
    // The run speed, exactly, on every update D is held before the beam,
    // in the air as on the ground.
    for (int update = 20; update <= 69; ++update) {
        EXPECT_EQ(number(player(lines, update), "vx"), runSpeedAfter(update - 19)) << update;
        EXPECT_EQ(player(lines, update)["state"], "solid") << update;
    }
    EXPECT_EQ(number(player(lines, 62), "vx"), 1505.0) << "43 updates of D";
    EXPECT_EQ(number(player(lines, 69), "vx"), 2975.0) << "50 updates of D";

    // The jump: 720 up, off the ground, rising for 18 updates (the first
    // without gravity on the ground line) and 114 pixels; then back down.
    const auto& takeOff = player(lines, 22);
    EXPECT_EQ(number(takeOff, "vy"), -720.0);
    EXPECT_FALSE(takeOff["onGround"].get<bool>());
    for (int update = 22; update <= 39; ++update) {
        EXPECT_LT(number(player(lines, update), "y"), number(player(lines, update - 1), "y")) << update;
    }
    EXPECT_EQ(number(player(lines, 40), "y"), number(player(lines, 39), "y")) << "the top of the jump";
    EXPECT_EQ(number(player(lines, 39), "y"), -124.0);
    int landed = 0;
    for (int update = 23; update <= 69 && landed == 0; ++update) {
        if (player(lines, update)["onGround"].get<bool>()) landed = update;
    }
    ASSERT_GT(landed, 40) << "lands only after the top";
    EXPECT_EQ(number(player(lines, landed), "y"), -10.0) << "on the ground line";
    for (int update = landed; update <= 69; ++update) {
        EXPECT_TRUE(player(lines, update)["onGround"].get<bool>()) << update;
    }

    // The 51st update of D: past 3000 (2975 + 210), a beam. With a wall
    // ahead it flies at once: its velocity is spent on the flight.
    const auto& launch = player(lines, 69);
    const auto& beam = player(lines, 70);
    EXPECT_EQ(beam["state"], "beam");
    EXPECT_EQ(number(beam, "vx"), 0.0);
    EXPECT_EQ(number(beam, "vy"), 0.0);

    // The flight goes to the middle of the wall's face in the ground row,
    // (2000, -25), a fraction 1/60 ÷ (ln L / 20) of the way per update.
    const double fromX = number(launch, "x");
    const double fromY = number(launch, "y");
    const double length = std::hypot(2000 - fromX, -25 - fromY);
    const double step = (1.0 / 60) / (std::log(length) / 20);
    EXPECT_NEAR(number(beam, "x"), fromX + (2000 - fromX) * step, 1e-6);
    EXPECT_NEAR(number(beam, "y"), fromY + (-25 - fromY) * step, 1e-6);
    int updatesOfFlight = 0;
    for (double progress = 0; progress <= 1; progress += step) ++updatesOfFlight;
    const int arrival = 69 + updatesOfFlight;
    ASSERT_LT(arrival, 140);
    for (int update = 71; update < arrival; ++update) {
        const auto& p = player(lines, update);
        EXPECT_EQ(p["state"], "beam") << update;
        EXPECT_GT(number(p, "x"), number(player(lines, update - 1), "x")) << update;
        EXPECT_LT(number(p, "x"), 2000) << update;
    }

    // At the wall it bounces straight back; no wall lies behind, so the beam
    // is let go along the bounce at 1500: the horizontal speed has turned.
    const auto& bounce = player(lines, arrival);
    EXPECT_EQ(number(bounce, "x"), 2000.0);
    EXPECT_EQ(number(bounce, "y"), -25.0);
    EXPECT_EQ(number(bounce, "vx"), -1500.0);
    EXPECT_NEAR(number(bounce, "vy"), 0, 1e-9);

    // One update later it is solid again, moving away from the wall, and it
    // comes to rest on the ground.
    const auto& solid = player(lines, arrival + 1);
    EXPECT_EQ(solid["state"], "solid");
    EXPECT_EQ(number(solid, "vx"), -1500.0) << "the release speed, before friction";
    EXPECT_LT(number(solid, "x"), 2000);
    for (int update = arrival + 1; update <= 140; ++update) {
        const auto& p = player(lines, update);
        EXPECT_EQ(p["state"], "solid") << update;
        EXPECT_LE(number(p, "x"), number(player(lines, update - 1), "x")) << update;
    }
    const auto& end = player(lines, 140);
    EXPECT_EQ(number(end, "y"), -10.0);
    EXPECT_TRUE(end["onGround"].get<bool>());
    EXPECT_LT(std::abs(number(end, "vx")), 1.0);
    // Friction, 0.8 per update, stops it (1500 × 0.8 ÷ 0.2) ÷ 60 = 100
    // pixels from the first solid update on.
    EXPECT_NEAR(number(end, "x"), number(solid, "x") - 100, 1);
}

// With no wall ahead the player tries to fly on every update past 3000 and
// stays solid, keeping its speed: 3185 on the 51st update of D, then 210
// more per update.
TEST(MovementReplay, WithNoWallAheadTheRunnerStaysSolidAtFullSpeed) {
    TempFolder folder;
    folder.write("level.json", R"({"blocks":[[-40,-1]],"items":[]})");
    folder.write("run.txt", "19 down D\n");
    auto run = replay(folder, {"--level", "level.json", "--ticks", "72", "--trace", "t.jsonl", "run.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(number(player(lines, 69), "vx"), 2975.0);
    for (auto [update, speed] : {std::pair{70, 3185.0}, {71, 3395.0}, {72, 3605.0}}) {
        const auto& p = player(lines, update);
        EXPECT_EQ(p["state"], "solid") << update;
        EXPECT_EQ(number(p, "vx"), speed) << update;
        EXPECT_EQ(number(p, "y"), -10.0) << update;
    }
}
