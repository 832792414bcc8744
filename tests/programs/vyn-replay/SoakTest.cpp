// A long run of random input (keys, mouse, focus, window size) through
// vyn-replay: no sanitizer report, no leak at exit, a bounded number of
// entities, and peak resident memory that grows with the rewind stack only.
// Ten simulated minutes by default; VYN_SOAK_UPDATES sets another length
// (216000 for a simulated hour).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

extern char** environ;

namespace {

// A script of random input for `updates` updates: key presses and releases
// of every key the game reads, mouse moves and clicks, the window losing and
// regaining focus, and new window sizes. Never a close.
std::string randomScript(std::uint32_t seed, int updates) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* const keys[] = {"A", "D", "W", "S", "SHIFT", "R", "O", "32", "255"};
    std::ostringstream script;
    std::vector<std::string> held;
    for (int tick = 1; tick < updates; tick += pick(1, 12)) {
        switch (pick(0, 9)) {
            case 0:
            case 1:
            case 2: {
                const std::string key = keys[pick(0, std::size(keys) - 1)];
                script << tick << " down " << key << "\n";
                held.push_back(key);
                break;
            }
            case 3:
            case 4:
                if (!held.empty()) {
                    const std::size_t i = static_cast<std::size_t>(pick(0, static_cast<int>(held.size()) - 1));
                    script << tick << " up " << held[i] << "\n";
                    held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
                }
                break;
            case 5:
                script << tick << " move " << pick(-100, 1300) << " " << pick(-100, 800) << "\n";
                break;
            case 6: {
                const char* button = pick(0, 1) == 0 ? "left" : "right";
                const int x = pick(0, 1120), y = pick(0, 630);
                script << tick << " press " << button << " " << x << " " << y << "\n";
                script << tick + pick(0, 5) << " release " << button << " " << x << " " << y << "\n";
                break;
            }
            case 7:
                // Inactive for a moment; the next tick brings it back.
                script << tick << " focus out\n" << tick << " focus in\n";
                break;
            case 8:
                script << tick << " resize " << pick(1, 1920) << " " << pick(1, 1080) << "\n";
                break;
            default:
                break;
        }
    }
    return script.str();
}

struct Run {
    int status = -1;
    long peakKilobytes = 0;
    std::string err;
};

// vyn-replay in the folder, with its peak resident memory.
Run replayMeasured(const TempFolder& folder, std::vector<std::string> args) {
    const std::string program = std::string(VYN_BIN_DIR) + "/vyn-replay";
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = folder.file("replay.out");
    const std::string err = folder.file("replay.err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.file("").c_str());
    // AddressSanitizer keeps freed blocks aside (256 MB by default) to catch
    // late uses; that store fills during a long run and would hide whether
    // the game's own memory grows. A small one still catches recent ones.
    std::vector<std::string> env;
    std::string asan = "ASAN_OPTIONS=quarantine_size_mb=8";
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        if (entry.starts_with("ASAN_OPTIONS=")) {
            asan = entry + ":quarantine_size_mb=8";
        } else {
            env.push_back(entry);
        }
    }
    env.push_back(asan);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    Run run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.peakKilobytes = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.err = TempFolder::read(err);
    return run;
}

int soakUpdates() {
    const char* text = std::getenv("VYN_SOAK_UPDATES");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 36000;
}

}  // namespace

TEST(ReplaySoak, RandomInputRunsCleanWithFlatMemoryApartFromTheRewindStack) {
    const int updates = soakUpdates();
    const int firstPart = updates / 3;
    TempFolder folder;
    folder.write("soak.txt", randomScript(20261210, updates));

    // The first third, then the whole: the same input up to the shorter end.
    auto part = replayMeasured(folder, {"--ticks", std::to_string(firstPart), "--trace", "part.jsonl", "soak.txt"});
    ASSERT_EQ(part.status, 0) << part.err;
    auto whole = replayMeasured(folder, {"--ticks", std::to_string(updates), "--trace", "whole.jsonl", "soak.txt"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    // A sanitizer report or a leak would have ended the run with another
    // status and written to standard error.
    EXPECT_EQ(whole.err.find("Sanitizer"), std::string::npos) << whole.err;

    const auto trace = vyn::testing::traceOf(folder.file("whole.jsonl"));
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(updates));
    long long mostEntities = 0;
    long long playing = 0;
    for (const auto& line : trace) {
        mostEntities = std::max(mostEntities, line["entities"].get<long long>());
        playing += line["paused"].get<bool>() ? 0 : 1;
    }
    EXPECT_LT(mostEntities, 40) << "entities pile up";

    // The rewind stack keeps one record per update not rewound; everything
    // else must come back. Allowed: 1 KiB per record the longer run added,
    // and 16 MiB for the allocator's caches and the sanitizer's bookkeeping.
    const long long recordsAdded = trace.back()["records"].get<long long>() -
                                   trace[static_cast<std::size_t>(firstPart) - 1]["records"].get<long long>();
    const long long grownKilobytes = whole.peakKilobytes - part.peakKilobytes;
    EXPECT_LE(grownKilobytes, std::max(0LL, recordsAdded) + 16 * 1024)
        << "peak " << part.peakKilobytes << " KiB after " << firstPart << " updates, " << whole.peakKilobytes
        << " KiB after " << updates << "; " << recordsAdded << " rewind records added";
    std::printf(
        "soak: %d updates, %lld of them playing; peak %ld KiB after %d, %ld KiB after %d; "
        "%lld records added; at most %lld entities\n",
        updates, playing, part.peakKilobytes, firstPart, whole.peakKilobytes, updates, recordsAdded, mostEntities);
}
