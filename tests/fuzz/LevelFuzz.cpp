// The level reader on arbitrary bytes: every input loads or is refused with
// a std::runtime_error "<path>: <problem>" of bounded length, whatever the
// bytes are. Anything else (another exception, a crash, a sanitizer report)
// is a finding.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "world/GameMap.h"
#include "world/MapFile.h"

namespace {

// One file, rewritten for every input.
const std::string& levelPath() {
    static const std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vyn-level-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern + "/level.json";
    }();
    return path;
}

void check(bool condition, const char* what, const std::string& message) {
    if (condition) return;
    std::fprintf(stderr, "level fuzz: %s: %s\n", what, message.substr(0, 400).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = levelPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
    try {
        auto map = std::make_shared<game::GameMap>(path);
        // What a save would write.
        (void)game::MapFile::format(map->blocks->toArray(), map->levelItems->toArray());
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        check(message.starts_with(path + ": "), "the message does not start with the path", message);
        // The file's own bytes may be quoted; the library's tag may not
        // lead the problem.
        std::string problem = message.substr(std::min(message.size(), path.size() + 2));
        for (const char* lead : {"not valid JSON: ", "not a valid level: "}) {
            if (problem.starts_with(lead)) problem.erase(0, std::char_traits<char>::length(lead));
        }
        check(!problem.starts_with("[json.exception"), "the message has the library's tag", message);
        check(message.size() < path.size() + 400, "the message is too long", message);
    }
    return 0;
}
