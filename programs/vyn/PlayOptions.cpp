#include "programs/vyn/PlayOptions.h"

#include "base/InputFile.h"
#include "command_line/OutputConflict.h"
#include "command_line/StartFolder.h"

namespace runs {

const char* const playUsage =
    "usage: vyn [--record FILE] [--trace FILE] [LEVEL]\n"
    "Plays Vyn in a window: A and D run, W jumps, a long run turns into a beam\n"
    "(A, D, W and S steer it), Shift rewinds. Bring the four shards back to the\n"
    "start before the moon falls.\n"
    "  LEVEL          a level file (default: the game's own level)\n"
    "  --record FILE  write the run's input as a script that vyn-replay plays again\n"
    "  --trace FILE   write a trace line after every engine update ('-': standard output)\n"
    "  --help         show this and exit\n"
    "  --version      show the version and exit\n";

PlayOptionsResult parsePlayOptions(const std::vector<std::string>& args, const std::filesystem::path& startFolder) {
    PlayOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") return {std::nullopt, "", true};
        if (arg == "--version") return {std::nullopt, "", false, true};
        if (arg == "--record" || arg == "--trace") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return {std::nullopt, arg + " needs a file name"};
            const std::string& value = args[++i];
            if (arg == "--record") {
                if (value == "-") return {std::nullopt, "--record needs a file, not standard output"};
                options.record = command_line::fromStartFolder(startFolder, value);
            } else {
                options.trace = value == "-" ? std::filesystem::path("-") : command_line::fromStartFolder(startFolder, value);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {std::nullopt, "unknown option " + base::clipWord(arg)};
        } else {
            if (options.level) return {std::nullopt, "only one level may be given"};
            // An empty name is a mistake (an unset variable, say), not a
            // request for the game's own level.
            if (arg.empty()) return {std::nullopt, "\"\": the level file name is empty"};
            options.level = command_line::fromStartFolder(startFolder, arg);
        }
    }
    return {options, ""};
}

std::string outputConflict(const PlayOptions& options, const std::filesystem::path& gameLevel) {
    std::vector<command_line::NamedFile> outputs;
    if (!options.record.empty()) outputs.push_back({"--record", options.record});
    if (!options.trace.empty()) outputs.push_back({"--trace", options.trace});
    return command_line::outputConflict({{"the level", options.level.value_or(gameLevel)}}, outputs);
}

}  // namespace runs
