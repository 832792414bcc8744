#pragma once

#include <filesystem>

namespace gfx {

// The few system services the program needs beside the display module.
class Sys {
public:
    // The running executable's full path.
    [[nodiscard]] static std::filesystem::path executablePath();
    // Makes the folder the working directory; throws std::filesystem_error.
    static void setCwd(const std::filesystem::path& folder);
    [[nodiscard]] static std::filesystem::path getCwd();
};

}  // namespace gfx
