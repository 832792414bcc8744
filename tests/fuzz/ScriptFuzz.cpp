// The replay script and command line on arbitrary bytes: a script parses
// into events within their limits or is refused with one short message
// naming the line; a command line parses or is refused the same way.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "replay/ReplayOptions.h"
#include "runs/Script.h"

namespace {

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "script fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::istringstream input(text);
    const runs::ParseResult result = runs::parseScript(input);
    check(result.script.has_value() != result.error.has_value(), "neither or both of a script and an error");
    if (result.error) {
        check(result.error->line >= 1, "an error before the first line");
        check(result.error->message.size() < 400, "an error message longer than a line should be");
        check(result.error->message.find('\n') == std::string::npos, "an error message of several lines");
    } else {
        int previous = 0;
        for (const auto& event : result.script->events) {
            check(event.tick >= previous, "events out of tick order");
            previous = event.tick;
            using Kind = runs::ScriptEvent::Kind;
            if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp) {
                check(event.keyCode >= 1 && event.keyCode <= 255, "a key code out of range");
            }
            if (event.kind == Kind::Resize) check(event.x >= 1 && event.y >= 1, "an empty window size");
        }
    }

    // The same bytes as a command line, one argument per line.
    std::vector<std::string> args;
    std::istringstream lines(text);
    for (std::string arg; std::getline(lines, arg);) args.push_back(arg);
    const replay::OptionsResult options = replay::parseOptions(args, "/start");
    if (!options.help && !options.options) {
        // A path is quoted whole (each byte at most four characters once
        // escaped), a word cut short: only a path makes an error long.
        std::size_t quoted = 0;
        for (const auto& arg : args) quoted += 4 * arg.size();
        check(options.error.size() < 400 + quoted, "an option error longer than its words should make it");
        check(options.error.find('\n') == std::string::npos, "an option error of several lines");
    }
    return 0;
}
