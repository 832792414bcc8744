// The main every program runs through: what it prints for --help, --version
// and a mistake, how it reports what the run throws, and the statuses.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "command_line/ProgramMain.h"

namespace {

struct Options {
    std::string level;
};

// A level, and at most two words: three are a mistake without a line.
command_line::Parsed<Options> parseLevel(const std::vector<std::string>& words, const std::filesystem::path&) {
    Options options;
    command_line::Grammar grammar;
    grammar.positional = {"level", true, [&](const std::string& word) {
                              options.level = word;
                              return std::string();
                          }};
    grammar.mostWords = 2;
    return command_line::parse(grammar, words, options);
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome runMain(const command_line::Program& program, std::vector<std::string> words,
                const std::function<int(const Options&)>& run) {
    std::string name = program.name;
    std::vector<char*> argv{name.data()};
    for (auto& word : words) argv.push_back(word.data());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = command_line::runProgram(program, static_cast<int>(argv.size()), argv.data(), parseLevel, run);
    Outcome outcome{status, "", ""};
    outcome.out = testing::internal::GetCapturedStdout();
    outcome.err = testing::internal::GetCapturedStderr();
    return outcome;
}

const char* const usage = "usage: prog [LEVEL]\n";

TEST(ProgramMain, AnswersHelpVersionAndMistakesBeforeTheRun) {
    struct Case {
        std::vector<std::string> words;
        bool usageAfterMistake;
        Outcome expected;
    };
    const Case cases[] = {
        {{"--help"}, true, {0, usage, ""}},
        {{"x", "-h"}, true, {0, usage, ""}},
        {{"--version"}, true, {0, "prog 1.2.3\n", ""}},
        {{"--bogus"}, true, {2, "", std::string("prog: unknown option --bogus\n") + usage}},
        {{""}, true, {2, "", std::string("prog: \"\": the level file name is empty\n") + usage}},
        {{""}, false, {2, "", "prog: \"\": the level file name is empty\n"}},
        // A mistake without a line of its own is shown by the usage.
        {{"a", "b", "c"}, true, {2, "", usage}},
        {{"a", "b", "c"}, false, {2, "", usage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[0] + (c.usageAfterMistake ? " (usage after a mistake)" : ""));
        const command_line::Program program{"prog", usage, "1.2.3", c.usageAfterMistake};
        bool ran = false;
        const Outcome outcome = runMain(program, c.words, [&](const Options&) { return ran = true, 0; });
        EXPECT_FALSE(ran);
        EXPECT_EQ(outcome.status, c.expected.status);
        EXPECT_EQ(outcome.out, c.expected.out);
        EXPECT_EQ(outcome.err, c.expected.err);
    }
}

TEST(ProgramMain, RunsWithTheOptionsAndTurnsWhatTheRunThrowsIntoALineAndAStatus) {
    const command_line::Program program{"prog", usage, "1.2.3"};
    std::string level;
    auto ran = runMain(program, {"l.json"}, [&](const Options& options) {
        level = options.level;
        return 1;
    });
    EXPECT_EQ(level, "l.json");
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out + ran.err, "");

    struct Case {
        const char* what;
        std::function<int()> run;
        int failureStatus;
        Outcome expected;
    };
    const Case cases[] = {
        {"a stop",
         []() -> int { throw command_line::Stop(2, "--trace -: closed"); },
         1,
         {2, "", "prog: --trace -: closed\n"}},
        {"a stop with status 1",
         []() -> int { throw command_line::Stop(1, "no module"); },
         2,
         {1, "", "prog: no module\n"}},
        {"a failure", []() -> int { throw std::runtime_error("boom"); }, 1, {1, "", "prog: boom\n"}},
        {"a failure where every failure is bad input",
         []() -> int { throw std::runtime_error("boom"); },
         2,
         {2, "", "prog: boom\n"}},
        {"a failure of a step that reads the user's files",
         [] { return command_line::asBadInput([]() -> int { throw std::runtime_error("l.json: cannot be read"); }); },
         1,
         {2, "", "prog: l.json: cannot be read\n"}},
        {"a stop from such a step",
         [] { return command_line::asBadInput([]() -> int { throw command_line::Stop(1, "x"); }); },
         2,
         {1, "", "prog: x\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const command_line::Program failing{"prog", usage, "1.2.3", true, c.failureStatus};
        const Outcome outcome = runMain(failing, {}, [&](const Options&) { return c.run(); });
        EXPECT_EQ(outcome.status, c.expected.status);
        EXPECT_EQ(outcome.out, c.expected.out);
        EXPECT_EQ(outcome.err, c.expected.err);
    }
}

}  // namespace
