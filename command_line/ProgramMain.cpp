#include "command_line/ProgramMain.h"

#include <cstdio>

#include "base/HugePageHeap.h"

namespace command_line {

namespace {

std::string line(const Program& program, const std::string& problem) {
    return std::string(program.name) + ": " + problem + "\n";
}

}  // namespace

void report(const Program& program, const std::string& problem) { std::fputs(line(program, problem).c_str(), stderr); }

std::optional<int> answer(const Program& program, const Request& request) {
    if (request.help) {
        std::fputs(program.usage, stdout);
        return 0;
    }
    if (request.version) {
        std::printf("%s %s\n", program.name, program.version);
        return 0;
    }
    if (!request.mistake) return std::nullopt;
    // One write, so that the line and the usage stay together.
    std::string text = request.error.empty() ? "" : line(program, request.error);
    if (request.error.empty() || program.usageAfterMistake) text += program.usage;
    std::fputs(text.c_str(), stderr);
    return badInputStatus;
}

int guarded(const Program& program, const std::function<int()>& body) {
    base::preferHugePagesForHeap();
    try {
        return body();
    } catch (const Stop& stop) {
        report(program, stop.what());
        return stop.status();
    } catch (const std::exception& error) {
        report(program, error.what());
        return program.failureStatus;
    }
}

}  // namespace command_line
