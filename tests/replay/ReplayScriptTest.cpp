// Reading replay scripts and the command line of vyn-replay.
#include <gtest/gtest.h>

#include <sstream>

#include "runs/Script.h"
#include "tools/replay/ReplayOptions.h"

namespace {

using runs::ScriptEvent;
using Kind = ScriptEvent::Kind;

TEST(ReplayScript, ReadsEveryKindOfEventInTickOrderAndFileOrderWithinATick) {
    std::istringstream text(
        "# a comment line\n"
        "\n"
        "12 down SHIFT   # trailing comment\n"
        "3 down a\n"
        "3 up 65\n"
        "  7   move -5 630\n"
        "8 press left 10 20\n"
        "8 release right 11 21\n"
        "9 focus out\n"
        "9 focus in\n"
        "0 resize 800 600\n"
        "40 close\n"
        "12 up O\n");
    auto result = runs::parseScript(text);
    ASSERT_FALSE(result.error) << result.error->message;
    const auto& events = result.script->events;
    ASSERT_EQ(events.size(), 11u);

    std::vector<std::pair<int, Kind>> order;
    for (const auto& e : events) order.emplace_back(e.tick, e.kind);
    EXPECT_EQ(order, (std::vector<std::pair<int, Kind>>{{0, Kind::Resize},
                                                        {3, Kind::KeyDown},
                                                        {3, Kind::KeyUp},
                                                        {7, Kind::Move},
                                                        {8, Kind::Press},
                                                        {8, Kind::Release},
                                                        {9, Kind::FocusOut},
                                                        {9, Kind::FocusIn},
                                                        {12, Kind::KeyDown},
                                                        {12, Kind::KeyUp},
                                                        {40, Kind::Close}}));
    EXPECT_EQ(events[0].x, 800);
    EXPECT_EQ(events[0].y, 600);
    EXPECT_EQ(events[1].keyCode, 65);  // a, any case
    EXPECT_EQ(events[2].keyCode, 65);
    EXPECT_EQ(events[3].x, -5);
    EXPECT_EQ(events[3].y, 630);
    EXPECT_EQ(events[4].button, ScriptEvent::Button::Left);
    EXPECT_EQ(events[5].button, ScriptEvent::Button::Right);
    EXPECT_EQ(events[5].x, 11);
    EXPECT_EQ(events[8].keyCode, 16);
    EXPECT_EQ(events[8].line, 3);
    EXPECT_EQ(events[9].keyCode, 79);
    EXPECT_EQ(result.script->lastTick(), 40);
}

TEST(ReplayScript, KnowsTheGameKeysByNameAndOtherKeysByCode) {
    const std::pair<const char*, int> keys[] = {{"A", 65}, {"D", 68}, {"W", 87},     {"S", 83},  {"SHIFT", 16},
                                                {"R", 82}, {"O", 79}, {"shift", 16}, {"13", 13}, {"255", 255}};
    for (const auto& [name, code] : keys) EXPECT_EQ(runs::keyCodeOf(name), code) << name;
    for (const char* bad : {"Q", "0", "256", "-1", "6x", ""}) EXPECT_FALSE(runs::keyCodeOf(bad)) << bad;
}

TEST(ReplayOptions, ReadsTheCommandLineWithPathsFromTheStartFolder) {
    auto parsed = replay::parseOptions({"--level", "l.json", "--ticks", "90", "--seed", "42", "--trace", "/t/trace",
                                        "--shot", "5:a.png", "--shot", "90:/p/b.png", "run.txt"},
                                       "/start");
    ASSERT_TRUE(parsed.options) << parsed.error;
    const auto& o = *parsed.options;
    EXPECT_EQ(o.level, "/start/l.json");
    EXPECT_EQ(o.ticks, 90);
    EXPECT_EQ(o.seed, 42u);
    EXPECT_EQ(o.trace, "/t/trace");
    ASSERT_EQ(o.shots.size(), 2u);
    EXPECT_EQ(o.shots[0].tick, 5);
    EXPECT_EQ(o.shots[0].file, "/start/a.png");
    EXPECT_EQ(o.shots[1].file, "/p/b.png");
    EXPECT_EQ(o.script, "/start/run.txt");

    auto none = replay::parseOptions({"-"}, "/start");
    ASSERT_TRUE(none.options);
    EXPECT_TRUE(none.options->script.empty());
    EXPECT_FALSE(none.options->seed) << "left to the script, or else the default";
    EXPECT_FALSE(none.options->ticks);
}

TEST(ReplayOptions, RefusesBadValues) {
    const std::vector<std::vector<std::string>> bad = {
        {"--ticks", "0"}, {"--ticks", "ten"}, {"--seed", "-3"},  {"--shot", "5"},    {"--shot", "0:a.png"},
        {"--shot", "5:"}, {"--level"},        {"--frames", "3"}, {"a.txt", "b.txt"},
    };
    for (const auto& args : bad) {
        auto parsed = replay::parseOptions(args, "/start");
        EXPECT_FALSE(parsed.options) << args[0];
        EXPECT_FALSE(parsed.error.empty()) << args[0];
    }
}

TEST(ReplayOptions, RunsSixtyUpdatesPastTheScriptAndAsFarAsTheLastShot) {
    runs::Script script;
    replay::ReplayOptions options;
    EXPECT_EQ(replay::updatesToRun(options, script), 60);
    script.events.push_back({});
    script.events.back().tick = 100;
    EXPECT_EQ(replay::updatesToRun(options, script), 160);
    options.shots.push_back({600, "b.png"});
    EXPECT_EQ(replay::updatesToRun(options, script), 600);
    options.ticks = 30;
    EXPECT_EQ(replay::updatesToRun(options, script), 30);
}

}  // namespace
