#pragma once

#include <filesystem>
#include <string>

#include "command_line/OptionParser.h"

namespace command_line {

// A path from a command line, made absolute against the folder the program
// was started in: the programs move their working directory before they
// open the files they were given.
inline std::filesystem::path fromStartFolder(const std::filesystem::path& start, const std::string& path) {
    std::filesystem::path p(path);
    return p.is_absolute() ? p : (start / p).lexically_normal();
}

// Takers of an option's file name into `path`, found from the start folder;
// for an output, "-" (standard output) stays as it is.
inline Take takeInput(std::filesystem::path& path, const std::filesystem::path& start) {
    return [&path, start](const std::string& word) {
        path = fromStartFolder(start, word);
        return std::string();
    };
}
inline Take takeOutput(std::filesystem::path& path, const std::filesystem::path& start) {
    return [&path, start](const std::string& word) {
        path = word == "-" ? std::filesystem::path("-") : fromStartFolder(start, word);
        return std::string();
    };
}

}  // namespace command_line
