// The options parser: which word goes to which taker, what ends the
// reading, and the exact line of each mistake.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/InputFile.h"
#include "command_line/OptionParser.h"

namespace {

using command_line::Value;

// A grammar with one option of each kind and a positional level; every
// word taken is logged as "name=word". --seed refuses "bad".
struct Logged {
    std::vector<std::string> taken;
    command_line::Grammar grammar;

    Logged() {
        auto log = [this](const std::string& name) {
            return [this, name](const std::string& word) {
                taken.push_back(name + "=" + word);
                return std::string();
            };
        };
        grammar.options = {
            {"--quiet", Value::None, log("--quiet")},
            {"--seed", Value::Any,
             [this](const std::string& word) -> std::string {
                 if (word == "bad") return "--seed takes a number";
                 taken.push_back("--seed=" + word);
                 return "";
             }},
            {"--out", Value::FileName, log("--out")},
        };
        grammar.positional = {"level", true, log("level")};
    }
};

struct Case {
    std::vector<std::string> words;
    // "run", "help", "version" or "mistake"
    std::string ask;
    std::string error;
    std::vector<std::string> taken;
};

std::string askOf(const command_line::Request& request) {
    if (request.help) return "help";
    if (request.version) return "version";
    return request.mistake ? "mistake" : "run";
}

void check(const Case& c, command_line::Grammar& grammar, std::vector<std::string>& taken) {
    std::string words;
    for (const auto& word : c.words) words += "[" + word + "]";
    SCOPED_TRACE(words);
    taken.clear();
    const command_line::Request request = command_line::read(grammar, c.words);
    EXPECT_EQ(askOf(request), c.ask);
    EXPECT_EQ(request.error, c.error);
    EXPECT_EQ(request.run(), c.ask == "run");
    EXPECT_EQ(taken, c.taken);
}

TEST(OptionParser, ReadsFlagsValuesAndAPositionalFromLeftToRightUntilTheFirstAnswer) {
    const std::string longWord = "--" + std::string(200, 'y');
    const Case cases[] = {
        {{}, "run", "", {}},
        {{"--quiet", "--seed", "7", "--out", "o.txt", "l.json"},
         "run",
         "",
         {"--quiet=", "--seed=7", "--out=o.txt", "level=l.json"}},
        {{"l.json", "--seed", "3"}, "run", "", {"level=l.json", "--seed=3"}},
        // A value is the next word, whatever it is; an empty one is taken
        // unless the option wants a file name.
        {{"--seed", "--help"}, "run", "", {"--seed=--help"}},
        {{"--seed", ""}, "run", "", {"--seed="}},
        {{"-"}, "run", "", {"level=-"}},
        // --help and --version anywhere, unless a mistake comes first.
        {{"x", "--help"}, "help", "", {"level=x"}},
        {{"-h"}, "help", "", {}},
        {{"--help", "--bogus"}, "help", "", {}},
        {{"--version", "x"}, "version", "", {}},
        {{"--bogus", "--help"}, "mistake", "unknown option --bogus", {}},
        // The mistakes, in their exact words.
        {{"-x"}, "mistake", "unknown option -x", {}},
        {{longWord}, "mistake", "unknown option --" + std::string(base::quotedWordLimit - 2, 'y') + "...", {}},
        {{"--seed"}, "mistake", "--seed needs a value", {}},
        {{"--out"}, "mistake", "--out needs a file name", {}},
        {{"--out", ""}, "mistake", "--out needs a file name", {}},
        {{"--seed", "bad", "--bogus"}, "mistake", "--seed takes a number", {}},
        {{"a", "b", "--bogus"}, "mistake", "only one level may be given", {"level=a"}},
        {{""}, "mistake", "\"\": the level file name is empty", {}},
        {{"a", ""}, "mistake", "only one level may be given", {"level=a"}},
    };
    Logged logged;
    for (const Case& c : cases) check(c, logged.grammar, logged.taken);
}

// A program without options of its own: a word that starts with '-' is a
// file, more words than it takes are refused before any is read, and a
// positional may be empty when the grammar does not refuse it.
TEST(OptionParser, TakesDashWordsAsPositionalsAndCountsTheWordsFirstWhenToldTo) {
    Logged logged;
    logged.grammar.options.clear();
    logged.grammar.refuseUnknownOptions = false;
    logged.grammar.mostWords = 1;
    const Case cases[] = {
        {{}, "run", "", {}},
        {{"--bogus"}, "run", "", {"level=--bogus"}},
        {{"--help"}, "help", "", {}},
        {{"--help", "x"}, "mistake", "", {}},
        {{"a", "b"}, "mistake", "", {}},
        {{""}, "mistake", "\"\": the level file name is empty", {}},
    };
    for (const Case& c : cases) check(c, logged.grammar, logged.taken);

    logged.grammar.positional.refuseEmpty = false;
    check({{""}, "run", "", {"level="}}, logged.grammar, logged.taken);
}

TEST(OptionParser, KeepsTheOptionsOnlyForARun) {
    struct Options {
        std::string level;
    };
    Options options;
    command_line::Grammar grammar;
    grammar.positional = {"level", false, [&](const std::string& word) {
                              options.level = word;
                              return std::string();
                          }};
    auto run = command_line::parse(grammar, {"l.json"}, options);
    ASSERT_TRUE(run.options);
    EXPECT_EQ(run.options->level, "l.json");
    for (const std::vector<std::string>& words : {std::vector<std::string>{"l.json", "--help"}, {"l.json", "x"}}) {
        options = {};
        auto other = command_line::parse(grammar, words, options);
        EXPECT_FALSE(other.options) << words[1];
        EXPECT_FALSE(other.run()) << words[1];
    }
}

}  // namespace
