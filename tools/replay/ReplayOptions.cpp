#include "tools/replay/ReplayOptions.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <system_error>
#include <vector>

#include "base/InputFile.h"

namespace replay {

const char* const usage =
    "usage: vyn-replay [--level FILE] [--ticks N] [--seed N] [--trace FILE] [--shot TICK:FILE.png]... [SCRIPT]\n"
    "Runs the game on the headless display module, feeding it the input events of SCRIPT\n"
    "('-' or none: no input), and writes a trace line after every engine update.\n";

namespace {

template <class N>
std::optional<N> numberOf(const std::string& text) {
    N value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::filesystem::path absoluteFrom(const std::filesystem::path& start, const std::string& path) {
    std::filesystem::path p(path);
    return p.is_absolute() ? p : (start / p).lexically_normal();
}

// What a path names: the file itself when it exists (through links), else
// the path with its links and dots resolved as far as they exist.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::filesystem::path resolved;

    explicit FileIdentity(const std::filesystem::path& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            exists = true;
            device = info.st_dev;
            inode = info.st_ino;
        }
        std::error_code ec;
        resolved = std::filesystem::weakly_canonical(path, ec);
        if (ec) resolved = path.lexically_normal();
    }

    bool operator==(const FileIdentity& other) const {
        if (exists && other.exists) return device == other.device && inode == other.inode;
        return exists == other.exists && resolved == other.resolved;
    }
};

struct NamedFile {
    std::string what;  // as the message names it
    FileIdentity identity;
};

std::string quoted(const std::filesystem::path& path) { return "\"" + base::clipWord(path.string()) + "\""; }

}  // namespace

std::string outputConflict(const ReplayOptions& options, const std::filesystem::path& gameLevel) {
    std::vector<NamedFile> inputs;
    const std::filesystem::path level = options.level.empty() ? gameLevel : options.level;
    inputs.push_back({"the level " + quoted(level), FileIdentity(level)});
    if (!options.script.empty()) {
        inputs.push_back({"the script " + quoted(options.script), FileIdentity(options.script)});
    }

    std::vector<NamedFile> outputs;
    if (options.trace == "-") {
        // Standard output only matters when it is a file of its own.
        struct stat info {};
        if (::fstat(1, &info) == 0 && S_ISREG(info.st_mode)) {
            outputs.push_back({"--trace - (standard output)", FileIdentity("/proc/self/fd/1")});
        }
    } else if (!options.trace.empty()) {
        outputs.push_back({"--trace " + quoted(options.trace), FileIdentity(options.trace)});
    }
    for (const auto& shot : options.shots) {
        outputs.push_back({"--shot " + std::to_string(shot.tick) + ":" + quoted(shot.file), FileIdentity(shot.file)});
    }

    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (const auto& input : inputs) {
            if (outputs[i].identity == input.identity) return outputs[i].what + " would overwrite " + input.what;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (outputs[i].identity == outputs[j].identity) {
                return outputs[i].what + " names the same file as " + outputs[j].what;
            }
        }
    }
    return "";
}

int updatesToRun(const ReplayOptions& options, const Script& script) {
    if (options.ticks) return *options.ticks;
    int last = script.lastTick() + 60;
    for (const auto& shot : options.shots) last = std::max(last, shot.tick);
    return last;
}

OptionsResult parseOptions(const std::vector<std::string>& args, const std::filesystem::path& startFolder) {
    ReplayOptions options;
    bool haveScript = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") return {std::nullopt, "", true};
        const bool takesValue =
            arg == "--level" || arg == "--ticks" || arg == "--seed" || arg == "--trace" || arg == "--shot";
        if (takesValue) {
            if (i + 1 >= args.size()) return {std::nullopt, arg + " needs a value"};
            const std::string& value = args[++i];
            if (arg == "--level") {
                options.level = absoluteFrom(startFolder, value);
            } else if (arg == "--ticks") {
                auto n = numberOf<int>(value);
                if (!n || *n < 1) {
                    return {std::nullopt,
                            "--ticks takes a whole number of at least 1, not \"" + base::clipWord(value) + "\""};
                }
                options.ticks = *n;
            } else if (arg == "--seed") {
                auto n = numberOf<std::uint64_t>(value);
                if (!n) {
                    return {std::nullopt, "--seed takes a whole number from 0, not \"" + base::clipWord(value) + "\""};
                }
                options.seed = *n;
            } else if (arg == "--trace") {
                options.trace = value == "-" ? std::filesystem::path("-") : absoluteFrom(startFolder, value);
            } else {
                auto colon = value.find(':');
                auto tick = colon == std::string::npos ? std::nullopt : numberOf<int>(value.substr(0, colon));
                if (!tick || *tick < 1 || colon + 1 >= value.size()) {
                    return {std::nullopt, "--shot takes TICK:FILE.png with a tick of at least 1, not \"" +
                                              base::clipWord(value) + "\""};
                }
                options.shots.push_back({*tick, absoluteFrom(startFolder, value.substr(colon + 1))});
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {std::nullopt, "unknown option " + base::clipWord(arg)};
        } else {
            if (haveScript) return {std::nullopt, "only one script may be given"};
            haveScript = true;
            if (arg != "-") options.script = absoluteFrom(startFolder, arg);
        }
    }
    return {options, ""};
}

}  // namespace replay
