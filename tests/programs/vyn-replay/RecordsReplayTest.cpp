// The player's records as vyn-replay --front keeps them in an empty data
// folder of the test's own. The well is won by its own winning inputs
// after the player has waited some updates at the start, which sets the
// update of the win: 466 updates plus the wait. Its maker's time is 466
// updates, so 700 earns bronze (160 %), 550 silver (125 %).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "progress/Medals.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/images/Png.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using nlohmann::json;
using vyn::testing::replay;
using vyn::testing::traceOf;

constexpr const char* wellId = "25b56a8adf089ffe";
constexpr int wellUpdates = 466;

std::string script(const char* name) { return std::string(VYN_SOURCE_DIR) + "/tests/replay/scripts/" + name; }
std::string level(const char* name) { return std::string(VYN_BIN_DIR) + "/" + name; }

// From the title to The well (the third level), then the-well.txt's events
// `wait` updates later: the game's update N comes in frame N + 10.
std::string wellAfterWaiting(int wait) {
    std::ostringstream out;
    out << "front\n4 down DOWN\n5 up DOWN\n6 down DOWN\n7 up DOWN\n10 down ENTER\n11 up ENTER\n";
    std::ifstream in(script("the-well.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        int tick = 0;
        std::string rest;
        words >> tick;
        std::getline(words, rest);
        out << tick + wait + 10 << rest << '\n';
    }
    return out.str();
}

class RecordsReplay : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    }

    // Plays The well through the front end, waiting first; the trace's
    // last line, on the victory panel.
    json winAfterWaiting(int wait) {
        folder.write("run.txt", wellAfterWaiting(wait));
        // Up to the victory panel, which comes 90 frames after the win.
        const int frames = wellUpdates + wait + 10 + 100;
        auto run = replay(
            folder, {"--ticks", std::to_string(frames), "--trace", folder.file("t.jsonl"), folder.file("run.txt")});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return traceOf(folder.file("t.jsonl")).back();
    }
    json records() const { return json::parse(TempFolder::read(folder.file("data/vyn/records.json"))); }
    // The title's line of The well, as a run of three frames shows it.
    std::string titleLine() {
        auto run = replay(folder, {"--front", "--ticks", "3", "--trace", folder.file("title.jsonl"), "-"});
        EXPECT_EQ(run.status, 0) << run.err;
        return traceOf(folder.file("title.jsonl")).back()["items"][2].get<std::string>();
    }

    TempFolder folder;
};

TEST_F(RecordsReplay, TheBestRunIsKeptVerifiedAndOnlyAFasterOneReplacesIt) {
    struct Win {
        int wait;
        const char* panel;  // the victory panel's line about the record
        int best;
        const char* title;
    };
    const Win wins[] = {
        {234, "New best  ·  bronze medal", 700, "The well  ·  11.67 s  bronze"},
        {284, "Best  11.67 s  ·  bronze medal", 700, "The well  ·  11.67 s  bronze"},
        {84, "New best  ·  silver medal", 550, "The well  ·  9.17 s  silver"},
    };
    int played = 0;
    for (const auto& win : wins) {
        SCOPED_TRACE(win.wait);
        const json last = winAfterWaiting(win.wait);
        ++played;
        ASSERT_EQ(last["screen"], "won");
        EXPECT_EQ(last["lines"][1], win.panel);
        const json record = records()["levels"][wellId];
        EXPECT_EQ(record["name"], "The well");
        EXPECT_EQ(record["wins"], played);
        EXPECT_EQ(record["attempts"], played);
        EXPECT_EQ(record["best"]["updates"], win.best);
        EXPECT_EQ(record["best"]["verified"], true);
        EXPECT_EQ(titleLine(), win.title);
    }

    // The run kept replays on its own, on the level of that content found
    // among the player's levels, to a win at its update and no other.
    const std::string run = records()["levels"][wellId]["best"]["run"];
    EXPECT_NE(run.find("\nseed 1\nlevel-id 25b56a8adf089ffe\n"), std::string::npos) << run;
    EXPECT_EQ(run.find("DOWN"), std::string::npos) << "the title's keys are not part of the run:\n" << run;
    folder.write("best.txt", run);
    EXPECT_EQ(replay(folder, {"--check-win", "550", folder.file("best.txt")}).status, 0);
    auto early = replay(folder, {"--check-win", "549", folder.file("best.txt")});
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(early.err, "vyn-replay: the run did not win by update 549\n");
    auto late = replay(folder, {"--check-win", "551", folder.file("best.txt")});
    EXPECT_EQ(late.err, "vyn-replay: the run won at update 550, not 551\n");
    // On a level of other content it is refused, by vyn-replay and by vyn
    // asked to race it, with one line and before any window opens.
    auto other = replay(folder, {"--level", level("levels/mirrors.json"), folder.file("best.txt")});
    EXPECT_EQ(other.status, 2);
    EXPECT_NE(other.err.find("is a run of another level (level-id 25b56a8adf089ffe), not of"), std::string::npos)
        << other.err;
    auto race =
        vyn::testing::runProgram(folder, "vyn", {"--ghost", folder.file("best.txt"), level("levels/mirrors.json")});
    EXPECT_EQ(race.status, 2);
    EXPECT_EQ(race.err, "vyn: " + folder.file("best.txt") +
                            " is a run of another level (level-id 25b56a8adf089ffe), not of " +
                            level("levels/mirrors.json") + " (level-id 1319aff1415c0629)\n");
    // So is a recording that names no level by its content.
    folder.write("plain.txt", "1 down D\n");
    auto plain = vyn::testing::runProgram(folder, "vyn", {"--ghost", folder.file("plain.txt")});
    EXPECT_EQ(plain.status, 2);
    EXPECT_EQ(plain.err,
              "vyn: " + folder.file("plain.txt") + " is not a run that can be raced: it names no level-id\n");
    // The best run is also kept as a file of its own, to race or to send.
    EXPECT_EQ(TempFolder::read(folder.file("data/vyn/runs/25b56a8adf089ffe.txt")), run);
}

TEST_F(RecordsReplay, AForgedTimeIsShownAsNotVerifiedAndAVerifiedRunReplacesIt) {
    winAfterWaiting(234);
    json file = records();
    file["levels"][wellId]["best"]["updates"] = 400;
    folder.write("data/vyn/records.json", file.dump(2));
    EXPECT_EQ(titleLine(), "The well  ·  6.67 s (not verified)");
    EXPECT_EQ(records()["levels"][wellId]["best"]["verified"], false) << "the check's finding is kept";

    // A slower run that replays to its time is the best now.
    const json last = winAfterWaiting(334);
    EXPECT_EQ(last["lines"][1], "New best");
    EXPECT_EQ(records()["levels"][wellId]["best"]["updates"], 800);
    EXPECT_EQ(titleLine(), "The well  ·  13.33 s");
}

// A data folder that cannot be written costs the record, not the game: one
// warning line for each save that failed, and the victory panel says so.
TEST_F(RecordsReplay, ARecordThatCannotBeSavedIsSaidSoOnTheVictoryPanel) {
    std::filesystem::create_directories(folder.file("data"));
    folder.write("data/vyn", "a file where the game's folder would be\n");
    folder.write("run.txt", wellAfterWaiting(0));
    auto run = replay(folder, {"--ticks", std::to_string(wellUpdates + 110), "--trace", folder.file("t.jsonl"),
                               folder.file("run.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    const json last = traceOf(folder.file("t.jsonl")).back();
    ASSERT_EQ(last["screen"], "won");
    EXPECT_EQ(last["lines"][1], "The record was not saved: the data folder cannot be written");
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("vyn: warning: " + folder.file("data/vyn"), 0), 0u) << line;
        EXPECT_NE(line.find("the records are not saved"), std::string::npos) << line;
    }
    EXPECT_EQ(TempFolder::read(folder.file("data/vyn")), "a file where the game's folder would be\n");
}

// The ghost of the best run is drawn over the game and nothing else: the
// run's trace is the same with it or without it (G), and it shows where the
// best run's trace puts the player at that update.
TEST_F(RecordsReplay, TheGhostFollowsTheBestRunAndChangesNothingOfTheRun) {
    winAfterWaiting(0);
    const std::string best = records()["levels"][wellId]["best"]["run"];
    folder.write("best.txt", best);
    ASSERT_EQ(replay(folder, {"--ticks", "300", "--trace", folder.file("best.jsonl"), folder.file("best.txt")}).status,
              0);
    const auto bestTrace = traceOf(folder.file("best.jsonl"));

    // The player waits at the start of The well while the ghost runs; with
    // G (code 71) pressed in its first update, the ghost is off.
    const std::string wait = "front\n4 down DOWN\n5 up DOWN\n6 down DOWN\n7 up DOWN\n10 down ENTER\n11 up ENTER\n";
    folder.write("on.txt", wait + "11 down 71\n11 up 71\n11 down 71\n11 up 71\n");
    folder.write("off.txt", wait + "11 down 71\n11 up 71\n");
    // The best run's player, running right, is then on the screen.
    constexpr int update = 25;
    const std::string shot = std::to_string(update + 10) + ":";
    for (const char* name : {"on", "off"}) {
        auto run =
            replay(folder, {"--ticks", "300", "--trace", folder.file(std::string(name) + ".jsonl"), "--shot",
                            shot + folder.file(std::string(name) + ".png"), folder.file(std::string(name) + ".txt")});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    EXPECT_EQ(TempFolder::read(folder.file("on.jsonl")), TempFolder::read(folder.file("off.jsonl")));

    // The pixels the ghost changes lie around where the best run's player
    // was, seen from this run's camera (the stage's centre is 560, 315).
    const auto on = vyn::testing::readPng(folder.file("on.png"));
    const auto off = vyn::testing::readPng(folder.file("off.png"));
    ASSERT_TRUE(on && off);
    int left = on->width, right = -1, top = on->height, bottom = -1;
    for (int y = 0; y < on->height; ++y) {
        for (int x = 0; x < on->width; ++x) {
            if (on->at(x, y) == off->at(x, y)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, 0) << "no ghost drawn";
    const json& was = bestTrace[update - 1]["player"];
    const json camera = traceOf(folder.file("on.jsonl"))[update + 9]["game"]["camera"];
    const double x = 560 - camera["x"].get<double>() + was["x"].get<double>();
    const double y = 315 - camera["y"].get<double>() + was["y"].get<double>();
    EXPECT_NEAR((left + right + 1) / 2.0, x, 2) << "the ghost from x " << left << " to " << right;
    EXPECT_NEAR((top + bottom + 1) / 2.0, y, 2) << "the ghost from y " << top << " to " << bottom;
    EXPECT_LE(right - left, 16);
    EXPECT_LE(bottom - top, 22);
}

// The maker's times are the updates at which the shipped levels' winning
// scripts win.
TEST(MakerTimes, AreTheWinsOfTheShippedLevelsScripts) {
    TempFolder folder;
    const struct {
        const char* level;
        const char* script;
    } shipped[] = {
        {"assets/map.json", "first-light.txt"},
        {"levels/the-well.json", "the-well.txt"},
        {"levels/mirrors.json", "mirrors.txt"},
    };
    for (const auto& c : shipped) {
        SCOPED_TRACE(c.script);
        // The id the level's content has, as vyn-replay names it.
        folder.write("probe.txt", "level-id 0000000000000000\n");
        auto probe = replay(folder, {"--level", level(c.level), folder.file("probe.txt")});
        const auto at = probe.err.rfind("(level-id ");
        ASSERT_NE(at, std::string::npos) << probe.err;
        const std::string id = probe.err.substr(at + 10, 16);
        const auto maker = progress::makerUpdates(id);
        ASSERT_TRUE(maker) << "no maker's time for " << c.level << ", level-id " << id;
        EXPECT_EQ(
            replay(folder, {"--level", level(c.level), "--check-win", std::to_string(*maker), script(c.script)}).status,
            0);
    }
    EXPECT_EQ(progress::medalFor(wellUpdates, wellUpdates), "gold");
    EXPECT_EQ(progress::medalFor(582, wellUpdates), "silver");
    EXPECT_EQ(progress::medalFor(583, wellUpdates), "bronze");
    EXPECT_EQ(progress::medalFor(745, wellUpdates), "bronze");
    EXPECT_EQ(progress::medalFor(746, wellUpdates), "");
}

}  // namespace
