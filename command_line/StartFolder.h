#pragma once

#include <filesystem>
#include <string>

namespace command_line {

// A path from a command line, made absolute against the folder the program
// was started in: the programs move their working directory before they
// open the files they were given.
inline std::filesystem::path fromStartFolder(const std::filesystem::path& start, const std::string& path) {
    std::filesystem::path p(path);
    return p.is_absolute() ? p : (start / p).lexically_normal();
}

// An output's path from a command line: "-", standard output, stays as it
// is; any other is found from the start folder.
inline std::filesystem::path outputFromStartFolder(const std::filesystem::path& start, const std::string& path) {
    return path == "-" ? std::filesystem::path("-") : fromStartFolder(start, path);
}

}  // namespace command_line
