#include "progress/RunCheck.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

extern char** environ;

namespace progress {

namespace {

// A new file of the check's own, holding `text` (a run may be longer than a
// pipe holds); empty when none could be made.
std::filesystem::path writeTemporary(const char* name, const std::string& run) {
    std::string pattern = (std::filesystem::temp_directory_path() / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {};
    std::size_t written = 0;
    while (written < run.size()) {
        const ssize_t n = ::write(fd, run.data() + written, run.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (written < run.size()) {
        ::unlink(pattern.c_str());
        return {};
    }
    return pattern;
}

}  // namespace

RunCheck::RunCheck(const std::filesystem::path& replay, const std::string& run, int updates,
                   const std::filesystem::path& level, bool traced)
    : script_(writeTemporary("vyn-run-XXXXXX", run)), trace_(traced ? writeTemporary("vyn-trace-XXXXXX", "") : "") {
    if (script_.empty() || (traced && trace_.empty())) {
        result_ = false;
        return;
    }
    std::vector<std::string> args{replay.string(), "--check-win", std::to_string(updates)};
    if (!level.empty()) {
        args.push_back("--level");
        args.push_back(level.string());
    }
    if (!trace_.empty()) {
        args.push_back("--trace");
        args.push_back(trace_.string());
    }
    args.push_back(script_.string());
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Its lines are for a person running it; here only its status counts.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&child_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        child_ = -1;
        result_ = false;
    }
    posix_spawn_file_actions_destroy(&actions);
}

RunCheck::~RunCheck() {
    wait();
    for (const auto& file : {script_, trace_}) {
        if (!file.empty()) ::unlink(file.c_str());
    }
}

void RunCheck::finish(int status) {
    child_ = -1;
    result_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::optional<bool> RunCheck::result() {
    if (result_ || child_ < 0) return result_;
    int status = 0;
    const pid_t done = ::waitpid(child_, &status, WNOHANG);
    if (done == child_) {
        finish(status);
    } else if (done < 0 && errno != EINTR) {
        child_ = -1;
        result_ = false;
    }
    return result_;
}

bool RunCheck::wait() {
    while (!result_ && child_ >= 0) {
        int status = 0;
        const pid_t done = ::waitpid(child_, &status, 0);
        if (done == child_) {
            finish(status);
        } else if (done < 0 && errno != EINTR) {
            child_ = -1;
            result_ = false;
        }
    }
    return result_.value_or(false);
}

}  // namespace progress
