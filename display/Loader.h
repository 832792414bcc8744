#pragma once

#include <string>

#include "runtime/contract/gfxrt_headless.h"

namespace gfx {

// Finds the primitives of a native module by name and argument count.
//
// A module "NAME" is the shared library libNAME.so, looked for first in the
// working directory ("./libNAME.so") and then through the dynamic linker's
// search (the executable's RUNPATH, LD_LIBRARY_PATH, the system folders).
// Each module is loaded once and stays loaded for the whole run.
//
// When a module is first loaded, it is asked for the interface version it
// was built for ("rt_interface_version__0", see gfxrt.h). A module of another
// version than this program's RT_INTERFACE_VERSION, or of none, is refused
// before anything else of it runs: the loader throws std::runtime_error
// ("display module PATH has interface version N, this program needs M", or
// "... has no interface version, ..."), and again on every later request for
// it. A module that is accepted and exports "rt_set_loader__1" then receives
// the program's callback table, once.
class Loader {
public:
    // The symbol of a primitive: NAME "__" COUNT for 0 to 5 arguments,
    // NAME "__MULT" above (the arguments then travel as one struct).
    [[nodiscard]] static std::string symbolName(const std::string& name, int argCount);

    // The address of the primitive, or nullptr when the module lacks it (a
    // line "Could not find primitive SYMBOL." then goes to standard error).
    // Throws std::runtime_error("Could not load module " + module + "@" +
    // name) when the module itself cannot be loaded, and the refusal above
    // for a module of another interface version.
    [[nodiscard]] static void* load(const std::string& module, const std::string& name, int argCount);

    // The module's dlopen handle, loading it if needed; nullptr when it
    // cannot be loaded, the refusal above for a module of another interface
    // version. For tools that look up symbols of their own.
    [[nodiscard]] static void* module(const std::string& module);

    // The driver table of the headless display module (gfxrt_headless.h),
    // from the module the program loads by that name. nullptr when the module
    // cannot be loaded, is not the headless one (the real one has no driver)
    // or has a table of another RTH_API_VERSION; a module of another
    // interface version is refused as above.
    [[nodiscard]] static const rth_api* headlessDriver(const std::string& module);

    // The same from a module file the caller opened itself (its dlopen
    // handle), whose interface version is checked here in the same way.
    [[nodiscard]] static const rth_api* headlessDriverOf(void* openedModule);
};

}  // namespace gfx
