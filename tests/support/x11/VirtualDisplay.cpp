#include "tests/support/x11/VirtualDisplay.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace vyn::testing {

VirtualDisplay::VirtualDisplay(WindowManager manager) {
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
    if (manager == WindowManager::openbox) {
        startWindowManager();
    }
}

void VirtualDisplay::startWindowManager() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry(*e);
        if (entry.rfind("DISPLAY=", 0) != 0) env.push_back(entry);
    }
    env.push_back("DISPLAY=" + name_);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argv = {"openbox", "--sm-disable"};
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    // Its notes about menus and themes are not the test's output.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "openbox", &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        error_ = "openbox is not installed (tools/setup.sh installs it)";
        stop();
        return;
    }
    managerPid_ = pid;

    // Ready once something redirects the root window's map requests: from
    // then on every window mapped is managed. Up to about 30 s on a loaded
    // machine, a bound on attempts rather than a measurement.
    bool managing = false;
    if (Display* d = XOpenDisplay(name_.c_str())) {
        for (int i = 0; i < 600 && !managing; ++i) {
            XWindowAttributes root;
            managing = XGetWindowAttributes(d, DefaultRootWindow(d), &root) != 0 &&
                       (root.all_event_masks & SubstructureRedirectMask) != 0;
            if (!managing) {
                if (waitpid(managerPid_, nullptr, WNOHANG) == managerPid_) {
                    managerPid_ = 0;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        XCloseDisplay(d);
    }
    if (!managing) {
        error_ = "openbox did not take the screen";
        stop();
    }
}

void VirtualDisplay::stop() {
    for (pid_t* pid : {&managerPid_, &pid_}) {
        if (*pid != 0) {
            kill(*pid, SIGTERM);
            waitpid(*pid, nullptr, 0);
            *pid = 0;
        }
    }
}

VirtualDisplay::~VirtualDisplay() { stop(); }

}  // namespace vyn::testing
