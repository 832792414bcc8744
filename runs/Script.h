#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace runs {

// One scripted input event, to be delivered after engine update `tick`.
struct ScriptEvent {
    enum class Kind { KeyDown, KeyUp, Move, Press, Release, FocusOut, FocusIn, Resize, Close };
    enum class Button { Left, Right };

    int line = 0;  // where it was written, for messages
    int tick = 0;
    Kind kind = Kind::Close;
    int keyCode = 0;               // KeyDown, KeyUp
    Button button = Button::Left;  // Press, Release
    int x = 0;                     // Move, Press, Release; the width for Resize
    int y = 0;                     // Move, Press, Release; the height for Resize
};

// A parsed script: its events ordered by tick, in file order within a tick,
// and the run it was made from when its header says so.
struct Script {
    std::vector<ScriptEvent> events;
    // "seed N": the seed of the program's random source.
    std::optional<std::uint64_t> seed;
    // "level PATH": the level file, as written (relative to the script's
    // folder unless absolute).
    std::optional<std::string> level;
    // "level-id ID": the content of the level the run was played on
    // (world/LevelId.h); a run is replayed only on a level of that content.
    std::optional<std::string> levelId;
    // "front": the run goes through the front end (title, panels), and
    // its ticks are frames.
    bool front = false;
    // The tick of the last event; 0 for an empty script.
    int lastTick() const { return events.empty() ? 0 : events.back().tick; }
};

// A line that could not be read.
struct ScriptError {
    int line = 0;
    std::string message;
};

// Reads a replay script: one event per line, '#' starts a comment, blank
// lines are skipped. Header lines, before the first event, name the run's
// seed and level (by its file, its content or both), and whether it goes through the front end:
//
//   seed N
//   level PATH                           the rest of the line, spaces kept
//   level-id ID                          sixteen hexadecimal digits
//   front
//
//   TICK down KEY | TICK up KEY          KEY: A D W S SHIFT R O ESC ENTER SPACE UP DOWN F11
//                                        (input/Keys.h) or a key code
//   TICK move X Y
//   TICK press left|right X Y | TICK release left|right X Y
//   TICK focus out | TICK focus in
//   TICK resize W H
//   TICK close
//
// Returns the first bad line instead of a script.
struct ParseResult {
    std::optional<Script> script;
    std::optional<ScriptError> error;
};
ParseResult parseScript(std::istream& input);

// The key code of a key name or decimal code, if it is one.
std::optional<int> keyCodeOf(const std::string& name);

// What a script line may name: codes 1 to 255.
[[nodiscard]] bool isScriptKey(int code);

// An event as the script line that reads back as it (no line break).
[[nodiscard]] std::string formatEvent(const ScriptEvent& event);

}  // namespace runs
