#include "runs/Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "base/InputFile.h"
#include "input/Keys.h"

namespace runs {

namespace {

std::optional<long long> integerOf(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

std::string upper(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

constexpr int lowestKey = 1;
constexpr int highestKey = 255;

// Window pixels: anything a native mouse event can carry.
constexpr long long coordinateLimit = 1000000;
constexpr long long windowLimit = 16384;
constexpr long long tickLimit = 100000000;

// What a key may be, as a message lists it: "A, D, ... or a code 1 to 255".
std::string knownKeys() {
    std::string list;
    for (const auto& key : game::keys::named) {
        if (!list.empty()) list += ", ";
        list += key.name;
    }
    return list + " or a code " + std::to_string(lowestKey) + " to " + std::to_string(highestKey);
}

struct LineReader {
    std::vector<std::string> words;
    std::string error;

    bool fail(std::string message) {
        error = std::move(message);
        return false;
    }
    bool count(std::size_t expected, const std::string& usage) {
        if (words.size() != expected) return fail("expected \"" + usage + "\"");
        return true;
    }
    bool coordinate(std::size_t index, const char* what, long long low, long long high, int& out) {
        auto value = integerOf(words[index]);
        if (!value || *value < low || *value > high) {
            return fail(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not \"" + base::clipWord(words[index]) + "\"");
        }
        out = static_cast<int>(*value);
        return true;
    }
};

bool readEvent(LineReader& r, ScriptEvent& event) {
    auto tick = integerOf(r.words[0]);
    if (!tick || *tick < 0 || *tick > tickLimit) {
        return r.fail("the tick must be a whole number from 0 to " + std::to_string(tickLimit) + ", not \"" +
                      base::clipWord(r.words[0]) + "\"");
    }
    event.tick = static_cast<int>(*tick);
    if (r.words.size() < 2) return r.fail("an event is missing after the tick");
    const std::string& verb = r.words[1];
    using Kind = ScriptEvent::Kind;
    if (verb == "down" || verb == "up") {
        if (!r.count(3, "TICK " + verb + " KEY")) return false;
        auto code = keyCodeOf(r.words[2]);
        if (!code) return r.fail("unknown key \"" + base::clipWord(r.words[2]) + "\" (" + knownKeys() + ")");
        event.kind = verb == "down" ? Kind::KeyDown : Kind::KeyUp;
        event.keyCode = *code;
        return true;
    }
    if (verb == "move") {
        if (!r.count(4, "TICK move X Y")) return false;
        event.kind = Kind::Move;
        return r.coordinate(2, "X", -coordinateLimit, coordinateLimit, event.x) &&
               r.coordinate(3, "Y", -coordinateLimit, coordinateLimit, event.y);
    }
    if (verb == "press" || verb == "release") {
        if (!r.count(5, "TICK " + verb + " left|right X Y")) return false;
        if (r.words[2] == "left") {
            event.button = ScriptEvent::Button::Left;
        } else if (r.words[2] == "right") {
            event.button = ScriptEvent::Button::Right;
        } else {
            return r.fail("unknown button \"" + base::clipWord(r.words[2]) + "\" (left or right)");
        }
        event.kind = verb == "press" ? Kind::Press : Kind::Release;
        return r.coordinate(3, "X", -coordinateLimit, coordinateLimit, event.x) &&
               r.coordinate(4, "Y", -coordinateLimit, coordinateLimit, event.y);
    }
    if (verb == "focus") {
        if (!r.count(3, "TICK focus out|in")) return false;
        if (r.words[2] == "out") {
            event.kind = Kind::FocusOut;
        } else if (r.words[2] == "in") {
            event.kind = Kind::FocusIn;
        } else {
            return r.fail("focus goes \"out\" or \"in\", not \"" + base::clipWord(r.words[2]) + "\"");
        }
        return true;
    }
    if (verb == "resize") {
        if (!r.count(4, "TICK resize W H")) return false;
        event.kind = Kind::Resize;
        return r.coordinate(2, "W", 1, windowLimit, event.x) && r.coordinate(3, "H", 1, windowLimit, event.y);
    }
    if (verb == "close") {
        if (!r.count(2, "TICK close")) return false;
        event.kind = Kind::Close;
        return true;
    }
    return r.fail("unknown event \"" + base::clipWord(verb) + "\"");
}

// A header line ("seed N", "level PATH", "level-id ID" or "front"), or
// false with an error when it is none.
bool readHeader(LineReader& r, const std::string& text, Script& script) {
    if (r.words[0] == "front") {
        if (!r.count(1, "front")) return false;
        script.front = true;
        return true;
    }
    if (r.words[0] == "seed") {
        if (!r.count(2, "seed N")) return false;
        std::uint64_t value = 0;
        const std::string& word = r.words[1];
        auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (ec != std::errc() || ptr != word.data() + word.size()) {
            return r.fail("the seed must be a whole number from 0, not \"" + base::clipWord(word) + "\"");
        }
        script.seed = value;
        return true;
    }
    if (r.words[0] == "level-id") {
        if (!r.count(2, "level-id ID")) return false;
        const std::string& id = r.words[1];
        if (id.size() != 16 || id.find_first_not_of("0123456789abcdef") != std::string::npos) {
            return r.fail("a level id is sixteen digits 0-9 and a-f, not \"" + base::clipWord(id) + "\"");
        }
        script.levelId = id;
        return true;
    }
    if (r.words[0] == "level") {
        if (r.words.size() < 2) return r.fail("expected \"level PATH\"");
        const auto start = text.find_first_not_of(" \t", text.find("level") + 5);
        const auto end = text.find_last_not_of(" \t\r");
        script.level = text.substr(start, end + 1 - start);
        return true;
    }
    return r.fail("");
}

}  // namespace

std::optional<int> keyCodeOf(const std::string& name) {
    const std::string key = upper(name);
    for (const auto& known : game::keys::named) {
        if (key == known.name) return known.code;
    }
    auto code = integerOf(name);
    if (code && *code >= lowestKey && *code <= highestKey) return static_cast<int>(*code);
    return std::nullopt;
}

bool isScriptKey(int code) { return code >= lowestKey && code <= highestKey; }

std::string formatEvent(const ScriptEvent& event) {
    using Kind = ScriptEvent::Kind;
    std::string line = std::to_string(event.tick) + " ";
    const auto key = [&event] {
        for (const auto& known : game::keys::named) {
            if (known.code == event.keyCode) return std::string(known.name);
        }
        return std::to_string(event.keyCode);
    };
    const auto at = [&event] { return std::to_string(event.x) + " " + std::to_string(event.y); };
    const char* button = event.button == ScriptEvent::Button::Left ? "left " : "right ";
    switch (event.kind) {
        case Kind::KeyDown:
            return line + "down " + key();
        case Kind::KeyUp:
            return line + "up " + key();
        case Kind::Move:
            return line + "move " + at();
        case Kind::Press:
            return line + "press " + button + at();
        case Kind::Release:
            return line + "release " + button + at();
        case Kind::FocusOut:
            return line + "focus out";
        case Kind::FocusIn:
            return line + "focus in";
        case Kind::Resize:
            return line + "resize " + at();
        case Kind::Close:
            return line + "close";
    }
    return line;
}

ParseResult parseScript(std::istream& input) {
    Script script;
    std::string text;
    int number = 0;
    while (std::getline(input, text)) {
        ++number;
        if (auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
        LineReader reader;
        std::istringstream words(text);
        for (std::string word; words >> word;) reader.words.push_back(word);
        if (reader.words.empty()) continue;
        if (script.events.empty() && !integerOf(reader.words[0])) {
            if (readHeader(reader, text, script)) continue;
            if (!reader.error.empty()) return {std::nullopt, ScriptError{number, reader.error}};
        }
        ScriptEvent event;
        event.line = number;
        if (!readEvent(reader, event)) return {std::nullopt, ScriptError{number, reader.error}};
        script.events.push_back(event);
    }
    // Delivery goes by tick; within a tick, by the order in the file.
    std::stable_sort(script.events.begin(), script.events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.tick < b.tick; });
    return {std::move(script), std::nullopt};
}

}  // namespace runs
