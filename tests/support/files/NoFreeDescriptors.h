#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

// While it lives, the test program can open no further file: its limit of
// open descriptors is lowered to the lowest free one, so the next open fails
// with "Too many open files". Unlike permission bits, this stops root too:
// a way to make a save fail while the file it replaces stays readable.
// Files opened before (a captured standard output) keep working.
class NoFreeDescriptors {
public:
    NoFreeDescriptors() {
        if (::getrlimit(RLIMIT_NOFILE, &saved_) != 0) std::abort();
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (lowestFree < 0) std::abort();
        ::close(lowestFree);
        rlimit limited = saved_;
        limited.rlim_cur = static_cast<rlim_t>(lowestFree);
        if (::setrlimit(RLIMIT_NOFILE, &limited) != 0) std::abort();
    }
    ~NoFreeDescriptors() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    NoFreeDescriptors(const NoFreeDescriptors&) = delete;
    NoFreeDescriptors& operator=(const NoFreeDescriptors&) = delete;

private:
    rlimit saved_{};
};
