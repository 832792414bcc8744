// The records reach the disk through the crash-safe writer, seen by standing
// in for the system's fsync and rename in this test program (one of its own,
// so that the stand-ins log these writes alone): the new file is on the disk
// before it is renamed over the old one, and the folder after, so that a
// crash while a run is saved leaves the old records or the new ones.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "progress/RecordsFile.h"
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

TEST(RecordsFile, EachSaveIsFlushedThenRenamedThenItsFolderFlushed) {
    TempFolder folder;
    std::ostringstream warnings;
    progress::RecordsFile file(folder.file("vyn"), warnings);
    for (int save = 0; save < 2; ++save) {
        SCOPED_TRACE(save == 0 ? "a new file" : "over the file");
        diskLog.clear();
        ASSERT_TRUE(
            file.apply({"c0ffee", "First light", 1, 1, progress::BestRun{600 - save, "2024-05-01", true, "s"}}));
        const std::string saved = TempFolder::read(file.path().string());
        EXPECT_EQ(diskLog, (std::vector<std::string>{"fsync file of " + std::to_string(saved.size()) + " bytes",
                                                     "rename", "fsync folder"}));
    }
    EXPECT_EQ(warnings.str(), "");
}
