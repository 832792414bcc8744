// The order of a whole file's disk operations, seen by standing in for the
// system's fsync and rename in this test program (one of its own, so that
// the stand-ins log this one write alone): the new contents reach the disk
// before the rename, and the folder after it, so that a power loss at any
// moment leaves the old file or the new one.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/FileWriter.h"
#include "tests/support/disk/DiskLog.h"
#include "tests/support/files/TempFolder.h"

using tests::diskLog;

TEST(WriteWholeFile, FlushesTheFileThenRenamesThenFlushesTheFolder) {
    TempFolder folder;
    std::string path = folder.write("map.json", "old");
    diskLog().clear();
    base::writeWholeFile(path, "{\"blocks\":[],\"items\":[]}");
    EXPECT_EQ(diskLog(), (std::vector<std::string>{"fsync file of 24 bytes", "rename", "fsync folder"}));
    EXPECT_EQ(TempFolder::read(path), "{\"blocks\":[],\"items\":[]}");
}
