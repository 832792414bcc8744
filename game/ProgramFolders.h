#pragma once

#include <filesystem>

namespace game {

// Where a program finds its files: the data folder (assets/, levels/) and the
// folder of its display modules (the real one, and the headless one in
// headless/). There are two layouts:
//
// - the build tree: everything beside the executable (<bin>/assets,
//   <bin>/libgfxrt.so, <bin>/headless/libgfxrt.so);
// - installed: the executable in <prefix>/bin, the data in
//   <prefix>/share/vyn and the modules in <prefix>/lib/vyn (the build sets
//   both paths, relative to the executable's folder).
//
// A program is installed when its data folder lies where an installed one
// would; otherwise everything is beside it. Both folders are absolute.
struct ProgramFolders {
    std::filesystem::path data;
    std::filesystem::path modules;
    // The folder of the programs themselves (vyn, vyn-replay, vyn-editor).
    std::filesystem::path programs;

    // The folder of the headless display module.
    [[nodiscard]] std::filesystem::path headlessModules() const { return modules / "headless"; }

    // The folders of a program whose executable lies in the absolute folder
    // bin.
    [[nodiscard]] static ProgramFolders of(const std::filesystem::path& bin);

    // The running program's, decided on the first call and kept.
    [[nodiscard]] static const ProgramFolders& current();
};

}  // namespace game
