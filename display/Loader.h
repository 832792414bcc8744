#pragma once

#include <string>

namespace gfx {

// Finds the primitives of a native module by name and argument count.
//
// A module "NAME" is the shared library libNAME.so, looked for first in the
// working directory ("./libNAME.so") and then through the dynamic linker's
// search (the executable's RUNPATH, LD_LIBRARY_PATH, the system folders).
// Each module is loaded once and stays loaded for the whole run. A module
// exporting "rt_set_loader__1" receives the program's callback table once,
// right after it is loaded.
class Loader {
public:
    // The symbol of a primitive: NAME "__" COUNT for 0 to 5 arguments,
    // NAME "__MULT" above (the arguments then travel as one struct).
    [[nodiscard]] static std::string symbolName(const std::string& name, int argCount);

    // The address of the primitive, or nullptr when the module lacks it (a
    // line "Could not find primitive SYMBOL." then goes to standard error).
    // Throws std::runtime_error("Could not load module " + module + "@" +
    // name) when the module itself cannot be loaded.
    [[nodiscard]] static void* load(const std::string& module, const std::string& name, int argCount);

    // The module's dlopen handle, loading it if needed; nullptr when it
    // cannot be loaded. For tools that look up symbols of their own.
    [[nodiscard]] static void* module(const std::string& module);
};

}  // namespace gfx
