// vyn-replay run as a program in a folder of the test's own, and the trace
// it writes read back line by line.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"

namespace vyn::testing {

struct ReplayRun {
    int status = -1;  // the exit status, 128 + the signal if one ended it
    std::string err;  // what it wrote to standard error
};

// Runs one of the programs beside the others in VYN_BIN_DIR with the
// arguments in the folder; its standard output and error are kept there as
// <name>.out and <name>.err.
ReplayRun runProgram(const TempFolder& folder, const std::string& name, std::vector<std::string> args);

// The same for the program file at path (a copy of one of them, say), its
// output kept as <outputs>.out and <outputs>.err.
ReplayRun runProgramFile(const TempFolder& folder, const std::string& path, const std::string& outputs,
                         std::vector<std::string> args);

// runProgram for vyn-replay, its output in replay.out and replay.err.
ReplayRun replay(const TempFolder& folder, std::vector<std::string> args);

// One JSON object per line of a trace file.
std::vector<nlohmann::json> traceOf(const std::string& path);

}  // namespace vyn::testing
