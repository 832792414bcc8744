// The records reach the disk through the crash-safe writer, seen by standing
// in for the system's fsync and rename in this test program (one of its own,
// so that the stand-ins log these writes alone): the new file is on the disk
// before it is renamed over the old one, and the folder after, so that a
// crash while a run is saved leaves the old records or the new ones.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "progress/RecordsFile.h"
#include "tests/support/disk/DiskLog.h"
#include "tests/support/files/TempFolder.h"

using tests::diskLog;

TEST(RecordsFile, EachSaveIsFlushedThenRenamedThenItsFolderFlushed) {
    TempFolder folder;
    std::ostringstream warnings;
    progress::RecordsFile file(folder.file("vyn"), warnings);
    for (int save = 0; save < 2; ++save) {
        SCOPED_TRACE(save == 0 ? "a new file" : "over the file");
        diskLog().clear();
        ASSERT_TRUE(
            file.apply({"c0ffee", "First light", 1, 1, progress::BestRun{600 - save, "2024-05-01", true, "s"}}));
        const std::string saved = TempFolder::read(file.path().string());
        EXPECT_EQ(diskLog(), (std::vector<std::string>{"fsync file of " + std::to_string(saved.size()) + " bytes",
                                                       "rename", "fsync folder"}));
    }
    EXPECT_EQ(warnings.str(), "");
}
