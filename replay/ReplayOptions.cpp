#include "replay/ReplayOptions.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "base/InputFile.h"
#include "command_line/OutputConflict.h"
#include "command_line/StartFolder.h"

namespace replay {

const char* const usage =
    "usage: vyn-replay [--front] [--level FILE] [--ticks N] [--seed N] [--trace FILE] [--shot TICK:FILE.png]...\n"
    "                  [--check-win N] [--sounds FILE] [SCRIPT]\n"
    "Runs the game on the headless display module, feeding it the input events of SCRIPT\n"
    "('-' or none: no input), and writes a trace line after every engine update.\n"
    "With --front the game's front end runs around it: the title (or the level named),\n"
    "the pause and victory panels; ticks are then frames and every frame has a trace\n"
    "line naming the screen, its items and the game's state.\n"
    "A script's header lines give the seed, level and front end it was recorded with;\n"
    "the options override them.\n"
    "With --check-win N the run stops after update N; the status is 0 if the game was won\n"
    "at that very update, 1 with a line saying when (or whether) it was won otherwise.\n"
    "With --sounds FILE every cue the game would sound is written to FILE as a line: the\n"
    "tick of the trace line it comes before, the cue and its numbers.\n"
    "  --help, --version  show this or the version and exit\n";

namespace {

template <class N>
std::optional<N> numberOf(const std::string& text) {
    N value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

std::string outputConflict(const ReplayOptions& options, const std::filesystem::path& gameLevel) {
    std::vector<command_line::NamedFile> inputs;
    const std::filesystem::path level = options.level.empty() ? gameLevel : options.level;
    inputs.push_back({"the level", level});
    if (!options.script.empty()) inputs.push_back({"the script", options.script});
    std::vector<command_line::NamedFile> outputs;
    if (!options.trace.empty()) outputs.push_back({"--trace", options.trace});
    if (!options.sounds.empty()) outputs.push_back({"--sounds", options.sounds});
    for (const auto& shot : options.shots) outputs.push_back({"--shot " + std::to_string(shot.tick) + ":", shot.file});
    return command_line::outputConflict(inputs, outputs);
}

void applyScriptHeader(ReplayOptions& options, const runs::Script& script) {
    if (!options.seed) options.seed = script.seed;
    if (options.level.empty() && script.level) {
        options.level = command_line::fromStartFolder(options.script.parent_path(), *script.level);
    }
    if (script.front) options.front = true;
}

int updatesToRun(const ReplayOptions& options, const runs::Script& script) {
    if (options.checkWin) return *options.checkWin;
    if (options.ticks) return *options.ticks;
    int last = script.lastTick() + 60;
    for (const auto& shot : options.shots) last = std::max(last, shot.tick);
    return last;
}

OptionsResult parseOptions(const std::vector<std::string>& args, const std::filesystem::path& startFolder) {
    using command_line::Value;
    ReplayOptions options;
    command_line::Grammar grammar;
    grammar.options = {
        {"--front", Value::None,
         [&](const std::string&) {
             options.front = true;
             return std::string();
         }},
        {"--level", Value::Any, command_line::takeInput(options.level, startFolder)},
        {"--check-win", Value::Any,
         [&](const std::string& value) -> std::string {
             auto n = numberOf<int>(value);
             if (!n || *n < 1) {
                 return "--check-win takes a whole number of at least 1, not \"" + base::clipWord(value) + "\"";
             }
             options.checkWin = *n;
             return "";
         }},
        {"--ticks", Value::Any,
         [&](const std::string& value) -> std::string {
             auto n = numberOf<int>(value);
             if (!n || *n < 1) {
                 return "--ticks takes a whole number of at least 1, not \"" + base::clipWord(value) + "\"";
             }
             options.ticks = *n;
             return "";
         }},
        {"--seed", Value::Any,
         [&](const std::string& value) -> std::string {
             auto n = numberOf<std::uint64_t>(value);
             if (!n) return "--seed takes a whole number from 0, not \"" + base::clipWord(value) + "\"";
             options.seed = *n;
             return "";
         }},
        {"--trace", Value::Any, command_line::takeOutput(options.trace, startFolder)},
        {"--sounds", Value::Any, command_line::takeOutput(options.sounds, startFolder)},
        {"--shot", Value::Any,
         [&](const std::string& value) -> std::string {
             auto colon = value.find(':');
             auto tick = colon == std::string::npos ? std::nullopt : numberOf<int>(value.substr(0, colon));
             if (!tick || *tick < 1 || colon + 1 >= value.size()) {
                 return "--shot takes TICK:FILE.png with a tick of at least 1, not \"" + base::wholePath(value) + "\"";
             }
             options.shots.push_back({*tick, command_line::fromStartFolder(startFolder, value.substr(colon + 1))});
             return "";
         }},
    };
    // "-" names no script: the run has no input.
    grammar.positional = {"script", false, [&](const std::string& file) {
                              if (file != "-") options.script = command_line::fromStartFolder(startFolder, file);
                              return std::string();
                          }};
    return command_line::parse(grammar, args, options);
}

}  // namespace replay
