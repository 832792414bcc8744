#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "command_line/OptionParser.h"

namespace command_line {

// Exit statuses besides 0.
inline constexpr int failedStatus = 1;    // the run failed
inline constexpr int badInputStatus = 2;  // the command line, or a file it names, is wrong

// Ends a program with "NAME: problem" on standard error and its status.
class Stop : public std::runtime_error {
public:
    Stop(int status, const std::string& problem) : std::runtime_error(problem), status_(status) {}
    [[nodiscard]] int status() const { return status_; }

private:
    int status_;
};

// `step`, with what it throws turned into a Stop with badInputStatus (a
// Stop stays as it is): for the steps that read what the user named.
template <class Step>
auto asBadInput(const Step& step) -> decltype(step()) {
    try {
        return step();
    } catch (const Stop&) {
        throw;
    } catch (const std::exception& error) {
        throw Stop(badInputStatus, error.what());
    }
}

struct Program {
    const char* name;     // "vyn": begins each line the program writes to standard error
    const char* usage;    // what --help prints
    const char* version;  // --version prints "NAME VERSION"
    // A mistake on the command line is followed by the usage; the usage
    // shows one that has no line of its own in any case.
    bool usageAfterMistake = true;
    // The status when the run throws anything but a Stop.
    int failureStatus = failedStatus;
};

// "NAME: problem" on standard error.
void report(const Program& program, const std::string& problem);

// The words after the program's name and the folder it was started in.
template <class Options>
using Parse = Parsed<Options> (*)(const std::vector<std::string>& words, const std::filesystem::path& startFolder);

// Answers a request that ends the program before it runs (--help, --version,
// a mistake: status 2); none for a request to run.
[[nodiscard]] std::optional<int> answer(const Program& program, const Request& request);

// `body` with the heap's large pages asked for first, and with what it
// throws reported ("NAME: what") and turned into its status.
int guarded(const Program& program, const std::function<int()>& body);

// A program's main: reads the command line with `parse`, answers --help,
// --version and a mistake, and otherwise returns the status `run` returns
// for the options.
template <class Options, class Run>
int runProgram(const Program& program, int argc, char** argv, Parse<Options> parse, const Run& run) {
    return guarded(program, [&] {
        Parsed<Options> parsed =
            parse(std::vector<std::string>(argv + 1, argv + argc), std::filesystem::current_path());
        if (auto status = answer(program, parsed)) return *status;
        return run(*parsed.options);
    });
}

}  // namespace command_line
