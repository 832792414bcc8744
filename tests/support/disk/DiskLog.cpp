#include "tests/support/disk/DiskLog.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace tests {

std::vector<std::string>& diskLog() {
    static std::vector<std::string> log;
    return log;
}

}  // namespace tests

extern "C" int fsync(int fd) {
    struct stat info {};
    if (fstat(fd, &info) == 0) {
        tests::diskLog().push_back(S_ISDIR(info.st_mode) ? "fsync folder"
                                                         : "fsync file of " + std::to_string(info.st_size) + " bytes");
    }
    using Fsync = int (*)(int);
    static auto real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    tests::diskLog().push_back("rename");
    using Rename = int (*)(const char*, const char*);
    static auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}
