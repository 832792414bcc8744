#include "display/Loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <stdexcept>

#include "runtime/include/gfxrt.h"

namespace gfx {

namespace {

void logFromModule(const char* message) {
    std::fprintf(stderr, "%s\n", message);
}

const rt_loader_callbacks loaderCallbacks{1, &logFromModule};

void* openModule(const std::string& module) {
    // Loaded modules stay loaded: primitives taken from them live as long as
    // the program, and nothing is ever unloaded.
    static std::map<std::string, void*> opened;
    if (auto found = opened.find(module); found != opened.end()) return found->second;

    const std::string file = "lib" + module + ".so";
    void* handle = dlopen(("./" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;

    if (auto setLoader = reinterpret_cast<void (*)(const rt_loader_callbacks*)>(
            dlsym(handle, Loader::symbolName("rt_set_loader", 1).c_str()))) {
        setLoader(&loaderCallbacks);
    }
    opened.emplace(module, handle);
    return handle;
}

}  // namespace

std::string Loader::symbolName(const std::string& name, int argCount) {
    if (argCount >= 0 && argCount <= 5) return name + "__" + std::to_string(argCount);
    return name + "__MULT";
}

void* Loader::load(const std::string& module, const std::string& name, int argCount) {
    void* handle = openModule(module);
    if (handle == nullptr) throw std::runtime_error("Could not load module " + module + "@" + name);
    const std::string symbol = symbolName(name, argCount);
    void* address = dlsym(handle, symbol.c_str());
    if (address == nullptr) std::fprintf(stderr, "Could not find primitive %s.\n", symbol.c_str());
    return address;
}

}  // namespace gfx
