#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace command_line {

// Takes one word of a command line (an option's value, a positional
// argument) into the program's options, or says why it cannot: one line
// without the program's name, or empty when the word is taken.
using Take = std::function<std::string(const std::string& word)>;

// What follows an option's name on the command line.
enum class Value {
    None,      // nothing: a flag, taken with an empty word
    Any,       // the next word, whatever it is ("--seed needs a value" without one)
    FileName,  // the next word, not empty ("--trace needs a file name" without one)
};

struct Option {
    std::string name;  // "--trace"
    Value value = Value::None;
    Take take;
};

// The words that are neither options nor their values: at most one.
struct Positional {
    std::string name;  // "level": "only one level may be given"
    // An empty word is refused ("\"\": the level file name is empty"): it
    // comes from an unset variable, say, not from a wish for the default.
    bool refuseEmpty = false;
    Take take;
};

// What a program's command line may hold. "-h", "--help" and "--version"
// are always understood, wherever they stand.
struct Grammar {
    std::vector<Option> options;
    Positional positional;
    // A word that starts with '-' and names no option is refused as an
    // unknown option; otherwise it is a positional (a file may be named so).
    bool refuseUnknownOptions = true;
    // More words than this are a mistake without a line of its own, before
    // any word is read (even --help); none: no such limit.
    std::optional<std::size_t> mostWords;
};

// What a command line asks for, apart from the options its words set.
struct Request {
    bool help = false;
    bool version = false;
    // The command line is wrong: `error` says how, in one line without the
    // program's name, or is empty when the usage alone answers.
    bool mistake = false;
    std::string error;

    [[nodiscard]] bool run() const { return !help && !version && !mistake; }
};

// Reads the words after the program's name from left to right, handing each
// option's value and each positional to its taker. The first of --help,
// --version or a mistake ends the reading.
[[nodiscard]] Request read(const Grammar& grammar, const std::vector<std::string>& words);

// A request with the options it set, present when the program is to run.
template <class Options>
struct Parsed : Request {
    std::optional<Options> options;
};

// Reads `words` with `grammar`, whose takers fill `options`, and keeps
// those when the request is to run.
template <class Options>
[[nodiscard]] Parsed<Options> parse(const Grammar& grammar, const std::vector<std::string>& words, Options& options) {
    Parsed<Options> parsed{read(grammar, words), std::nullopt};
    if (parsed.run()) parsed.options = std::move(options);
    return parsed;
}

}  // namespace command_line
