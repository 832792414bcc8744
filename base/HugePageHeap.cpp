#include "base/HugePageHeap.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#define VYN_HUGE_PAGE_HEAP 1
#endif

namespace base {

void preferHugePagesForHeap() {
#ifdef VYN_HUGE_PAGE_HEAP
    constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;
    // Below the allocator's largest threshold for taking a block from the
    // heap rather than mapping it on its own (32 MB).
    constexpr std::size_t reserved = std::size_t{30} << 20;
    constexpr int defaultMapThreshold = 128 << 10;
    // The block comes from the heap, and once freed stays at its top for
    // the objects that follow instead of going back to the system. The trim
    // setting first: should the second fail, a higher trim threshold alone
    // changes nothing that matters.
    if (mallopt(M_TRIM_THRESHOLD, static_cast<int>(reserved + 2 * hugePage)) == 0 ||
        mallopt(M_MMAP_THRESHOLD, static_cast<int>(reserved + hugePage)) == 0) {
        return;
    }
    void* block = std::malloc(reserved);
    mallopt(M_MMAP_THRESHOLD, defaultMapThreshold);
    if (block == nullptr) {
        return;
    }
    // The first megabytes keep small pages: a program with a small level
    // never gets past them, and its memory stays as small as it was.
    constexpr std::uintptr_t smallPart = std::uintptr_t{4} << 20;
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + smallPart + hugePage - 1) & ~(hugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + reserved) & ~(hugePage - 1);
    if (end > start) {
        // Only advice: where the system says no, the heap keeps small pages.
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    std::free(block);
#endif
}

}  // namespace base
