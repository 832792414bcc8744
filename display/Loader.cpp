#include "display/Loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <vector>

#include "runtime/include/gfxrt.h"

namespace gfx {

namespace {

void logFromModule(const char* message) { std::fprintf(stderr, "%s\n", message); }

const rt_loader_callbacks loaderCallbacks{1, &logFromModule};

// The library search path of the main program (its RUNPATH, the dynamic
// linker's defaults). A plain dlopen searches the caller's RUNPATH, but when
// dlopen is wrapped (as sanitizers do) the caller is the wrapper's library;
// walking the program's own path finds the module all the same.
void* openThroughProgramSearchPath(const std::string& file) {
    void* program = dlopen(nullptr, RTLD_NOW);
    if (program == nullptr) return nullptr;
    Dl_serinfo size{};
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0) return nullptr;
    std::vector<unsigned char> buffer(size.dls_size);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, info) != 0 || dlinfo(program, RTLD_DI_SERINFO, info) != 0) {
        return nullptr;
    }
    for (unsigned i = 0; i < info->dls_cnt; ++i) {
        const std::string path = std::string(info->dls_serpath[i].dls_name) + "/" + file;
        if (void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    }
    return nullptr;
}

void* openModule(const std::string& module) {
    // Loaded modules stay loaded: primitives taken from them live as long as
    // the program, and nothing is ever unloaded.
    static std::map<std::string, void*> opened;
    if (auto found = opened.find(module); found != opened.end()) return found->second;

    const std::string file = "lib" + module + ".so";
    void* handle = dlopen(("./" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = openThroughProgramSearchPath(file);
    if (handle == nullptr) return nullptr;

    if (auto setLoader = reinterpret_cast<decltype(&rt_set_loader__1)>(
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

void* Loader::module(const std::string& module) { return openModule(module); }

void* Loader::load(const std::string& module, const std::string& name, int argCount) {
    void* handle = openModule(module);
    if (handle == nullptr) throw std::runtime_error("Could not load module " + module + "@" + name);
    const std::string symbol = symbolName(name, argCount);
    void* address = dlsym(handle, symbol.c_str());
    if (address == nullptr) std::fprintf(stderr, "Could not find primitive %s.\n", symbol.c_str());
    return address;
}

}  // namespace gfx
