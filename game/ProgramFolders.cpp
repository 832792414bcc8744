#include "game/ProgramFolders.h"

#include <system_error>

#include "display/Sys.h"

namespace game {

ProgramFolders ProgramFolders::of(const std::filesystem::path& bin) {
    const auto installedData = (bin / VYN_DATA_FROM_BIN).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(installedData, error)) {
        return {installedData, (bin / VYN_MODULES_FROM_BIN).lexically_normal(), bin};
    }
    return {bin, bin, bin};
}

const ProgramFolders& ProgramFolders::current() {
    static const ProgramFolders folders = of(gfx::Sys::executablePath().parent_path());
    return folders;
}

}  // namespace game
