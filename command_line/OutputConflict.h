#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace command_line {

// A file a program reads or writes, named as its messages name it: the
// option or role ("--trace", "the level", "--shot 90:"), then the quoted
// path. "-" is standard output.
struct NamedFile {
    std::string what;
    std::filesystem::path path;
};

// The first output that names an input or an earlier output, as one line
// of text; empty when there is none. Files are compared by what they are,
// not by how they are spelled: through links and "..", and for standard
// output by the file it is connected to (a terminal or pipe conflicts with
// nothing).
[[nodiscard]] std::string outputConflict(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

}  // namespace command_line
