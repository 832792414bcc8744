// Reading and writing replay scripts, native records to and from script
// events, and the command line of vyn-replay.
#include <gtest/gtest.h>

#include <sstream>

#include "base/InputFile.h"
#include "input/Keys.h"
#include "replay/ReplayOptions.h"
#include "runs/NativeEvents.h"
#include "runs/Script.h"

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
    EXPECT_EQ(events[1].keyCode, game::keys::A);  // a, any case
    EXPECT_EQ(events[2].keyCode, game::keys::A);
    EXPECT_EQ(events[3].x, -5);
    EXPECT_EQ(events[3].y, 630);
    EXPECT_EQ(events[4].button, ScriptEvent::Button::Left);
    EXPECT_EQ(events[5].button, ScriptEvent::Button::Right);
    EXPECT_EQ(events[5].x, 11);
    EXPECT_EQ(events[8].keyCode, game::keys::Shift);
    EXPECT_EQ(events[8].line, 3);
    EXPECT_EQ(events[9].keyCode, game::keys::O);
    EXPECT_EQ(result.script->lastTick(), 40);
}

TEST(ReplayScript, KnowsTheGameKeysByNameAndOtherKeysByCode) {
    // The codes are written out: scripts kept as files name keys both ways,
    // so a name must go on meaning the code it meant when they were made.
    const std::pair<const char*, int> keys[] = {{"A", 65}, {"D", 68}, {"W", 87},     {"S", 83},  {"SHIFT", 16},
                                                {"R", 82}, {"O", 79}, {"shift", 16}, {"13", 13}, {"255", 255}};
    for (const auto& [name, code] : keys) EXPECT_EQ(runs::keyCodeOf(name), code) << name;
    for (const char* bad : {"Q", "0", "256", "-1", "6x", ""}) EXPECT_FALSE(runs::keyCodeOf(bad)) << bad;
}

TEST(ReplayScript, AHeaderNamesTheSeedAndLevelOfTheRun) {
    std::istringstream text(
        "# recorded\n"
        "seed 18446744073709551615\n"
        "level  my levels/first.json  \n"
        "level-id 0123456789abcdef\n"
        "1 down D\n");
    auto result = runs::parseScript(text);
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(result.script->seed, 18446744073709551615u);
    EXPECT_EQ(result.script->level, "my levels/first.json") << "the rest of the line, spaces inside kept";
    EXPECT_EQ(result.script->levelId, "0123456789abcdef");
    EXPECT_EQ(result.script->events.size(), 1u);

    std::istringstream none("1 down D\n");
    auto plain = runs::parseScript(none);
    EXPECT_FALSE(plain.script->seed);
    EXPECT_FALSE(plain.script->level);
    EXPECT_FALSE(plain.script->levelId);

    const std::pair<const char*, const char*> bad[] = {
        {"seed\n", "expected \"seed N\""},
        {"seed -1\n", "the seed must be a whole number from 0, not \"-1\""},
        {"level\n", "expected \"level PATH\""},
        {"level-id\n", "expected \"level-id ID\""},
        {"level-id 0123456789ABCDEF\n", "a level id is sixteen digits 0-9 and a-f, not \"0123456789ABCDEF\""},
        {"level-id 0123456789abcde\n", "a level id is sixteen digits 0-9 and a-f, not \"0123456789abcde\""},
        {"1 down D\nseed 4\n", "the tick must be a whole number from 0 to 100000000, not \"seed\""},
    };
    for (const auto& [script, message] : bad) {
        std::istringstream input(script);
        auto failed = runs::parseScript(input);
        ASSERT_TRUE(failed.error) << script;
        EXPECT_EQ(failed.error->message, message) << script;
    }
}

// What the recorder writes reads back as the same events, and a native
// record the replay makes from an event is recorded as that event again.
TEST(ReplayScript, EventsGoThroughLinesAndNativeRecordsAndComeBackTheSame) {
    std::istringstream text(
        "0 resize 800 600\n"
        "3 down SHIFT\n"
        "3 down A\n"
        "4 up 13\n"
        "7 move -5 630\n"
        "8 press left 10 20\n"
        "8 release right 11 21\n"
        "9 focus out\n"
        "9 focus in\n"
        "40 close\n");
    auto result = runs::parseScript(text);
    ASSERT_FALSE(result.error) << result.error->message;
    runs::InputState state;
    for (const auto& event : result.script->events) {
        std::istringstream line(runs::formatEvent(event));
        auto again = runs::parseScript(line);
        ASSERT_FALSE(again.error) << runs::formatEvent(event);
        ASSERT_EQ(again.script->events.size(), 1u);
        EXPECT_EQ(runs::formatEvent(again.script->events[0]), runs::formatEvent(event));

        const rt_event record = runs::toNative(event, state);
        auto back = runs::fromNative(record, event.tick);
        ASSERT_TRUE(back) << runs::formatEvent(event);
        EXPECT_EQ(runs::formatEvent(*back), runs::formatEvent(event));
    }
    EXPECT_EQ(runs::formatEvent(result.script->events[1]), "3 down SHIFT") << "the game's keys by name";

    // What a script cannot hold is not recorded.
    rt_event wheel{};
    wheel.type = RT_EVENT_MOUSE_UP;
    wheel.value = RT_BUTTON_WHEEL_UP;
    rt_event arrow{};
    arrow.type = RT_EVENT_KEY_DOWN;
    arrow.value = 1073741906;
    rt_event frame{};
    frame.type = RT_EVENT_POLL;
    for (const rt_event& record : {wheel, arrow, frame}) EXPECT_FALSE(runs::fromNative(record, 1));
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

// A word of the command line is quoted cut short, a path never: its file's
// name at the end is what the user needs.
TEST(ReplayOptions, QuotesABadPathWholeAndABadWordCut) {
    const std::string deep = "0:/tmp/check here/" + std::string(100, 'f') + "/shot.png\nnext";
    auto shot = replay::parseOptions({"--shot", deep}, "/start");
    ASSERT_FALSE(shot.options);
    EXPECT_NE(shot.error.find(deep.substr(0, deep.find('\n')) + "\\nnext\""), std::string::npos) << shot.error;
    EXPECT_EQ(shot.error.find('\n'), std::string::npos) << "one line";

    auto ticks = replay::parseOptions({"--ticks", std::string(200, '9') + "x"}, "/start");
    ASSERT_FALSE(ticks.options);
    EXPECT_NE(ticks.error.find(std::string(base::quotedWordLimit, '9') + "...\""), std::string::npos) << ticks.error;
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
