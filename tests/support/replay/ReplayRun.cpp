#include "tests/support/replay/ReplayRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <sstream>

extern char** environ;

namespace vyn::testing {

namespace {

ReplayRun spawn(const TempFolder& folder, const std::string& program, const std::string& outputs,
                std::vector<std::string> args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = folder.file(outputs + ".out");
    const std::string err = folder.file(outputs + ".err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.file("").c_str());
    pid_t pid = 0;
    ReplayRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.err = TempFolder::read(err);
    return run;
}

std::string inBinFolder(const std::string& name) { return std::string(VYN_BIN_DIR) + "/" + name; }

}  // namespace

ReplayRun runProgram(const TempFolder& folder, const std::string& name, std::vector<std::string> args) {
    return spawn(folder, inBinFolder(name), name, std::move(args));
}

ReplayRun runProgramFile(const TempFolder& folder, const std::string& path, const std::string& outputs,
                         std::vector<std::string> args) {
    return spawn(folder, path, outputs, std::move(args));
}

ReplayRun replay(const TempFolder& folder, std::vector<std::string> args) {
    return spawn(folder, inBinFolder("vyn-replay"), "replay", std::move(args));
}

std::vector<nlohmann::json> traceOf(const std::string& path) {
    std::vector<nlohmann::json> lines;
    std::istringstream text(TempFolder::read(path));
    for (std::string line; std::getline(text, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
}

}  // namespace vyn::testing
