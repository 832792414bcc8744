// Keeping a file aside: it moves to the first name no file holds, and a
// failure says so with both paths whole and leaves the file where it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/KeepAside.h"
#include "tests/support/files/ErrorOf.h"
#include "tests/support/files/TempFolder.h"

TEST(KeepAside, TakesTheFirstFreeNameAndNeverReplacesOne) {
    TempFolder folder;
    const std::string path = folder.write("records.json", "third");
    folder.write("records.json.unreadable", "first");
    folder.write("records.json.unreadable-2", "second");
    EXPECT_EQ(base::keepAside(path), std::filesystem::path(path + ".unreadable-3"));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(TempFolder::read(path + ".unreadable"), "first");
    EXPECT_EQ(TempFolder::read(path + ".unreadable-2"), "second");
    EXPECT_EQ(TempFolder::read(path + ".unreadable-3"), "third");
}

TEST(KeepAside, AFileThatCannotBeMovedStaysAndTheMessageNamesBothPathsWhole) {
    TempFolder folder;
    // A name that fills the file system's limit: no longer name fits beside it.
    const std::string path = folder.write(folder.longestName(), "kept");
    EXPECT_EQ(errorOf([&] { base::keepAside(path); }),
              path + ": cannot be kept aside as " + path + ".unreadable: File name too long");
    EXPECT_EQ(TempFolder::read(path), "kept");
}
