// Marks a function as one of the module's exported primitives. Everything else
// in a module is hidden, so two modules loaded side by side never share code.
#ifndef VYN_RUNTIME_COMMON_EXPORT_H
#define VYN_RUNTIME_COMMON_EXPORT_H

#define GFXRT_EXPORT extern "C" __attribute__((visibility("default")))

#endif
