// The order of a whole file's disk operations, seen by standing in for the
// system's fsync and rename in this test program (one of its own, so that
// the stand-ins log this one write alone): the new contents reach the disk
// before the rename, and the folder after it, so that a power loss at any
// moment leaves the old file or the new one.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/FileWriter.h"
#include "tests/support/files/TempFolder.h"

namespace {

std::vector<std::string> diskLog;

}  // namespace

extern "C" int fsync(int fd) {
    struct stat info {};
    if (fstat(fd, &info) == 0) {
        diskLog.push_back(S_ISDIR(info.st_mode) ? "fsync folder"
                                                : "fsync file of " + std::to_string(info.st_size) + " bytes");
    }
    using Fsync = int (*)(int);
    static auto real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    diskLog.push_back("rename");
    using Rename = int (*)(const char*, const char*);
    static auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}

TEST(WriteWholeFile, FlushesTheFileThenRenamesThenFlushesTheFolder) {
    TempFolder folder;
    std::string path = folder.write("map.json", "old");
    diskLog.clear();
    base::writeWholeFile(path, "{\"blocks\":[],\"items\":[]}");
    EXPECT_EQ(diskLog, (std::vector<std::string>{"fsync file of 24 bytes", "rename", "fsync folder"}));
    EXPECT_EQ(TempFolder::read(path), "{\"blocks\":[],\"items\":[]}");
}
