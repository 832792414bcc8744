#include "programs/vyn/PlayOptions.h"

#include "command_line/OutputConflict.h"
#include "command_line/StartFolder.h"

namespace runs {

const char* const playUsage =
    "usage: vyn [--mute] [--record FILE] [--trace FILE] [--ghost RUN] [LEVEL]\n"
    "Plays Vyn in a window: A and D run, W jumps, a long run turns into a beam\n"
    "(A, D, W and S steer it), Shift rewinds. Bring the four shards back to the\n"
    "start before the moon falls. Esc pauses, R starts the level again, F11 or\n"
    "Alt+Enter switches fullscreen, M turns the sound off or on.\n"
    "  LEVEL          a level file to play at once (default: the title, to choose one)\n"
    "  --ghost RUN    race the ghost of this run (a best run kept in runs/ of the\n"
    "                 player's data folder, say), on its level: LEVEL, or else the\n"
    "                 level of the list with its content; G shows or hides the ghost\n"
    "  --mute         start without sound, whatever the settings say (M brings it back)\n"
    "  --record FILE  write the run's input as a script that vyn-replay plays again\n"
    "  --trace FILE   write a trace line after every frame ('-': standard output)\n"
    "  --help         show this and exit\n"
    "  --version      show the version and exit\n";

PlayOptionsResult parsePlayOptions(const std::vector<std::string>& args, const std::filesystem::path& startFolder) {
    using command_line::Value;
    PlayOptions options;
    command_line::Grammar grammar;
    grammar.options = {
        {"--record", Value::FileName,
         [&](const std::string& file) -> std::string {
             if (file == "-") return "--record needs a file, not standard output";
             options.record = command_line::fromStartFolder(startFolder, file);
             return "";
         }},
        {"--trace", Value::FileName, command_line::takeOutput(options.trace, startFolder)},
        {"--ghost", Value::FileName, command_line::takeInput(options.ghost, startFolder)},
        {"--mute", Value::None,
         [&](const std::string&) {
             options.mute = true;
             return std::string();
         }},
    };
    grammar.positional = {"level", true, [&](const std::string& file) {
                              options.level = command_line::fromStartFolder(startFolder, file);
                              return std::string();
                          }};
    return command_line::parse(grammar, args, options);
}

std::string outputConflict(const PlayOptions& options, const std::filesystem::path& gameLevel) {
    std::vector<command_line::NamedFile> outputs;
    if (!options.record.empty()) outputs.push_back({"--record", options.record});
    if (!options.trace.empty()) outputs.push_back({"--trace", options.trace});
    return command_line::outputConflict({{"the level", options.level.value_or(gameLevel)}}, outputs);
}

}  // namespace runs
