// A display module the loader must refuse: built for the interface version
// after this program's (with VYN_NEXT_VERSION), or saying no version at all.
// It offers nothing else but the callback hand-over, which a refused module
// must never see.
#include <cstdio>
#include <cstdlib>

#include "runtime/contract/gfxrt.h"

#define VYN_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

// NOLINTBEGIN(bugprone-reserved-identifier): the primitives' exported names
#ifdef VYN_NEXT_VERSION
VYN_MODULE_EXPORT int rt_interface_version__0(void) { return RT_INTERFACE_VERSION + 1; }
#endif

VYN_MODULE_EXPORT void rt_set_loader__1(const rt_loader_callbacks*) {
    std::fputs("a refused module was handed the loader's callbacks\n", stderr);
    std::abort();
}
// NOLINTEND(bugprone-reserved-identifier)
