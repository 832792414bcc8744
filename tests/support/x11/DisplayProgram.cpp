#include "tests/support/x11/DisplayProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace vyn::testing {

DisplayProgram::DisplayProgram(const std::string& display, const std::string& name, std::vector<std::string> args,
                               const std::string& log, const std::string& workingDir) {
    std::vector<std::string> env;
    bool audioDriverChosen = false;
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry(*e);
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("LSAN_OPTIONS=", 0) != 0) env.push_back(entry);
        audioDriverChosen = audioDriverChosen || entry.rfind("SDL_AUDIODRIVER=", 0) == 0;
    }
    env.push_back("DISPLAY=" + display);
    // Sound plays nowhere unless the test chose where: a machine without a
    // sound device would warn of it in every log.
    if (!audioDriverChosen) env.push_back("SDL_AUDIODRIVER=dummy");
    // Leaks inside the system's X, SDL and D-Bus libraries are theirs, and
    // the list of those suppressed stays out of the program's output.
    env.push_back("LSAN_OPTIONS=suppressions='" + std::string(VYN_SOURCE_DIR) +
                  "/tests/lsan.supp':print_suppressions=0");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    std::string path = std::string(VYN_BIN_DIR) + "/" + name;
    args.insert(args.begin(), path);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
}

DisplayProgram::~DisplayProgram() {
    if (pid_ != 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> DisplayProgram::exitStatus() {
    for (int i = 0; i < 600 && pid_ != 0; ++i) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

}  // namespace vyn::testing
