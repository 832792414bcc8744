// vyn-replay: runs the game headlessly with scripted input, for tests, bug
// reports and checking changes. See ReplayOptions.cpp for the command line
// and ReplayScript.h for the script.
#include <dlfcn.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Random.h"
#include "display/Loader.h"
#include "display/Sys.h"
#include "game/GameMap.h"
#include "tools/replay/Replay.h"
#include "tools/replay/ReplayOptions.h"
#include "tools/replay/ReplayScript.h"

namespace {

constexpr int badInput = 2;

const rth_api* headlessDriver() {
    void* module = gfx::Loader::module("gfxrt");
    if (module == nullptr) return nullptr;
    auto get = reinterpret_cast<rth_get_api_fn>(dlsym(module, "rth_get_api"));
    return get != nullptr ? get() : nullptr;
}

int run(int argc, char** argv) {
    const auto start = std::filesystem::current_path();
    auto parsed = replay::parseOptions(std::vector<std::string>(argv + 1, argv + argc), start);
    if (parsed.help) {
        std::fputs(replay::usage, stdout);
        return 0;
    }
    if (!parsed.options) {
        std::fprintf(stderr, "vyn-replay: %s\n%s", parsed.error.c_str(), replay::usage);
        return badInput;
    }
    replay::ReplayOptions options = *parsed.options;

    replay::Script script;
    if (!options.script.empty()) {
        std::ifstream input(options.script);
        if (!input) {
            std::fprintf(stderr, "vyn-replay: cannot read %s\n", options.script.c_str());
            return badInput;
        }
        auto result = replay::parseScript(input);
        if (result.error) {
            std::fprintf(stderr, "vyn-replay: %s:%d: %s\n", options.script.c_str(), result.error->line,
                         result.error->message.c_str());
            return badInput;
        }
        script = std::move(*result.script);
    }
    for (const auto& shot : options.shots) {
        if (options.ticks && shot.tick > *options.ticks) {
            std::fprintf(stderr, "vyn-replay: --shot %d lies beyond the last update, %d\n", shot.tick, *options.ticks);
            return badInput;
        }
    }

    // A level of the caller's must load before the game starts: a fault in
    // it is reported here, plainly, rather than from inside the frame loop.
    if (!options.level.empty()) {
        try {
            game::GameMap check(options.level.string());
        } catch (const std::exception& error) {
            std::fprintf(stderr, "vyn-replay: %s\n", error.what());
            return badInput;
        }
    }

    std::FILE* trace = nullptr;
    if (options.trace == "-") {
        trace = stdout;
    } else if (!options.trace.empty()) {
        trace = std::fopen(options.trace.c_str(), "w");
        if (trace == nullptr) {
            std::fprintf(stderr, "vyn-replay: cannot write %s\n", options.trace.c_str());
            return badInput;
        }
    }

    // The display module is looked for in the working directory first: start
    // beside the headless one, so that the real one beside this program is
    // never picked up.
    std::filesystem::current_path(gfx::Sys::executablePath().parent_path() / "headless");
    const rth_api* api = headlessDriver();
    if (api == nullptr || api->version != RTH_API_VERSION) {
        std::fprintf(stderr, "vyn-replay: the headless display module cannot be driven\n");
        if (trace != nullptr && trace != stdout) std::fclose(trace);
        return 1;
    }

    base::Random::seed(options.seed);
    int status = 0;
    {
        replay::Replay driver(*api, options, std::move(script), trace);
        status = driver.run();
    }
    if (trace != nullptr && trace != stdout) {
        if (std::fclose(trace) != 0) {
            std::fprintf(stderr, "vyn-replay: cannot write %s\n", options.trace.c_str());
            status = 1;
        }
    } else if (trace == stdout) {
        std::fflush(stdout);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vyn-replay: %s\n", error.what());
        return 1;
    }
}
