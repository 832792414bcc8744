// The loader takes only a display module built for this program's interface
// version. One of another version, or of none, is refused before anything
// of it runs (its callback hand-over aborts if called): in the program, as
// an error naming the module's file and both versions; for the programs, as
// that one line and status 1.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "display/Loader.h"
#include "runtime/contract/gfxrt.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using gfx::Loader;

// The test's modules, in VYN_TEST_MODULES: one of the next version, one
// without a version.
struct OtherModule {
    const char* name;
    std::string versionSaid;  // what the refusal says of the module's version
};

const OtherModule otherModules[] = {
    {"gfxrt_next_version", "has interface version " + std::to_string(RT_INTERFACE_VERSION + 1)},
    {"gfxrt_unversioned", "has no interface version"},
};

std::string moduleFile(const OtherModule& module) {
    return std::string(VYN_TEST_MODULES) + "/lib" + module.name + ".so";
}

std::string refusal(const std::string& file, const OtherModule& module) {
    return "display module " + file + " " + module.versionSaid + ", this program needs " +
           std::to_string(RT_INTERFACE_VERSION);
}

// What the call threw, or "" when it threw nothing.
template <class Call>
std::string errorOf(Call call) {
    try {
        (void)call();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

TEST(ModuleVersion, TheLoaderRefusesAModuleOfAnotherVersionEveryTimeItIsAskedFor) {
    for (const auto& module : otherModules) {
        SCOPED_TRACE(module.name);
        const std::string expected = refusal(moduleFile(module), module);
        void* opened = dlopen(moduleFile(module).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(opened, nullptr) << dlerror();
        testing::internal::CaptureStderr();
        EXPECT_EQ(errorOf([&] { return Loader::load(module.name, "rt_close", 0); }), expected);
        EXPECT_EQ(errorOf([&] { return Loader::load(module.name, "rt_close", 0); }), expected);
        EXPECT_EQ(errorOf([&] { return Loader::module(module.name); }), expected);
        EXPECT_EQ(errorOf([&] { return Loader::headlessDriver(module.name); }), expected);
        // A module file opened by hand is checked the same way.
        EXPECT_EQ(errorOf([&] { return Loader::headlessDriverOf(opened); }), expected);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "nothing was looked up in a refused module";
    }
}

// Each program finds its module beside itself (the game) or in headless/
// beside itself (vyn-replay): a copy of the program is run with a module of
// another version there.
TEST(ModuleVersion, AProgramGivenAModuleOfAnotherVersionEndsWithOneLineAndStatusOne) {
    ::unsetenv("DISPLAY");
    const struct {
        const char* program;
        const char* moduleFolder;
    } programs[] = {{"vyn", ""}, {"vyn-replay", "headless"}};
    for (const auto& [program, moduleFolder] : programs) {
        for (const auto& module : otherModules) {
            SCOPED_TRACE(std::string(program) + " with " + module.name);
            TempFolder folder;
            const std::string copy = folder.file(program);
            std::error_code notLinked;
            std::filesystem::create_hard_link(std::string(VYN_BIN_DIR) + "/" + program, copy, notLinked);
            if (notLinked) std::filesystem::copy_file(std::string(VYN_BIN_DIR) + "/" + program, copy);
            const std::filesystem::path modules = std::filesystem::path(folder.file(moduleFolder)).lexically_normal();
            std::filesystem::create_directories(modules);
            std::filesystem::copy_file(moduleFile(module), modules / "libgfxrt.so");

            const auto run = vyn::testing::runProgramFile(folder, copy, program, {});
            EXPECT_EQ(run.status, 1) << run.err;
            EXPECT_EQ(run.err,
                      std::string(program) + ": " + refusal((modules / "libgfxrt.so").string(), module) + "\n");
        }
    }
}

}  // namespace
