#include "tests/support/x11/VirtualDisplay.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace vyn::testing {

VirtualDisplay::VirtualDisplay() {
    // The server picks a free display number itself and writes it to a pipe
    // once it listens, so parallel tests never share or race for one.
    int ready[2];
    if (pipe(ready) != 0) {
        error_ = "cannot make a pipe";
        return;
    }
    const std::string fd = std::to_string(ready[1]);
    std::vector<std::string> argv = {"Xvfb", "-displayfd", fd, "-screen", "0", "1280x720x24", "-nolisten", "tcp"};
    std::vector<char*> args;
    for (auto& a : argv) {
        args.push_back(a.data());
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    if (spawned != 0) {
        close(ready[0]);
        error_ = "Xvfb is not installed (tools/setup.sh installs it)";
        return;
    }
    // The number and a newline; end of file if the server gave up.
    std::string number;
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(ready[0]);
    if (c != '\n' || number.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        error_ = "the Xvfb server did not start";
        return;
    }
    pid_ = pid;
    name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ != 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

}  // namespace vyn::testing
