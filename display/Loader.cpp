#include "display/Loader.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

#include "runtime/contract/gfxrt.h"

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

// The file a module was loaded from, as an absolute path.
std::string fileOf(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr || map->l_name == nullptr) return "(unknown)";
    return std::filesystem::absolute(map->l_name).lexically_normal().string();
}

// Why the module cannot be used: empty when it was built for this program's
// interface version. Its primitives would otherwise be called with the
// types of another version.
std::string refusalOf(void* handle) {
    const std::string needs = ", this program needs " + std::to_string(RT_INTERFACE_VERSION);
    auto version = reinterpret_cast<decltype(&rt_interface_version__0)>(
        dlsym(handle, Loader::symbolName("rt_interface_version", 0).c_str()));
    if (version == nullptr) return "display module " + fileOf(handle) + " has no interface version" + needs;
    const int built = version();
    if (built == RT_INTERFACE_VERSION) return "";
    return "display module " + fileOf(handle) + " has interface version " + std::to_string(built) + needs;
}

void* openModule(const std::string& module) {
    // Loaded modules stay loaded: primitives taken from them live as long as
    // the program, and nothing is ever unloaded. A refused module is kept
    // with its refusal, which every later request gets again.
    struct Opened {
        void* handle;
        std::string refusal;
    };
    static std::map<std::string, Opened> opened;
    if (auto found = opened.find(module); found != opened.end()) {
        if (!found->second.refusal.empty()) throw std::runtime_error(found->second.refusal);
        return found->second.handle;
    }

    const std::string file = "lib" + module + ".so";
    void* handle = dlopen(("./" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) handle = openThroughProgramSearchPath(file);
    if (handle == nullptr) return nullptr;

    const Opened& entry = opened.emplace(module, Opened{handle, refusalOf(handle)}).first->second;
    if (!entry.refusal.empty()) throw std::runtime_error(entry.refusal);
    if (auto setLoader = reinterpret_cast<decltype(&rt_set_loader__1)>(
            dlsym(handle, Loader::symbolName("rt_set_loader", 1).c_str()))) {
        setLoader(&loaderCallbacks);
    }
    return handle;
}

// The driver table of an accepted module; nullptr for a module that is not
// the headless one, or whose table is of another version.
const rth_api* driverIn(void* handle) {
    auto get = reinterpret_cast<decltype(&rth_get_api)>(dlsym(handle, "rth_get_api"));
    if (get == nullptr) return nullptr;
    const rth_api* api = get();
    return api != nullptr && api->version == RTH_API_VERSION ? api : nullptr;
}

}  // namespace

std::string Loader::symbolName(const std::string& name, int argCount) {
    if (argCount >= 0 && argCount <= 5) return name + "__" + std::to_string(argCount);
    return name + "__MULT";
}

void* Loader::module(const std::string& module) { return openModule(module); }

const rth_api* Loader::headlessDriver(const std::string& module) {
    void* handle = openModule(module);
    return handle != nullptr ? driverIn(handle) : nullptr;
}

const rth_api* Loader::headlessDriverOf(void* openedModule) {
    if (openedModule == nullptr) return nullptr;
    if (const std::string refusal = refusalOf(openedModule); !refusal.empty()) throw std::runtime_error(refusal);
    return driverIn(openedModule);
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
