// One of the game's programs started on an X display of the test's own, its
// standard output and error kept in a log file, killed if it is still
// running when the object goes.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace vyn::testing {

class DisplayProgram {
public:
    // `name` is a program beside the others in VYN_BIN_DIR; an empty
    // `workingDir` keeps the test's own.
    DisplayProgram(const std::string& display, const std::string& name, std::vector<std::string> args,
                   const std::string& log, const std::string& workingDir = "");
    ~DisplayProgram();
    DisplayProgram(const DisplayProgram&) = delete;
    DisplayProgram& operator=(const DisplayProgram&) = delete;

    bool started() const { return pid_ != 0; }

    // The exit status once the program has ended, waiting up to about 30 s
    // for it (a bound for slow sanitizer builds, not a measurement).
    std::optional<int> exitStatus();

private:
    pid_t pid_ = 0;
};

}  // namespace vyn::testing
