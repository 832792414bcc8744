#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/FileWriter.h"
#include "base/InputFile.h"
#include "tests/support/files/ErrorOf.h"
#include "tests/support/files/TempFolder.h"

using base::writeWholeFile;

namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(WriteWholeFile, GoesThroughSymbolicLinksToTheirTarget) {
    TempFolder folder;
    fs::create_directory(folder.file("levels"));
    std::string level = folder.write("levels/real.json", "old");
    // A relative link to a relative link.
    fs::create_symlink("levels/real.json", folder.file("first.json"));
    fs::create_symlink("first.json", folder.file("second.json"));

    writeWholeFile(folder.file("second.json"), "{}");
    EXPECT_EQ(TempFolder::read(level), "{}");
    EXPECT_TRUE(fs::is_symlink(folder.file("first.json")));
    EXPECT_TRUE(fs::is_symlink(folder.file("second.json")));
    EXPECT_EQ(folder.entryCount(), 3u);
    EXPECT_EQ(entriesIn(folder.file("levels")), 1u);

    // A link whose file does not exist yet gets it.
    fs::create_symlink("levels/new.json", folder.file("dangling.json"));
    writeWholeFile(folder.file("dangling.json"), "[]");
    EXPECT_EQ(TempFolder::read(folder.file("levels/new.json")), "[]");
    EXPECT_TRUE(fs::is_symlink(folder.file("dangling.json")));

    // A loop of links is an error, and nothing is written.
    fs::create_symlink("loop-b", folder.file("loop-a"));
    fs::create_symlink("loop-a", folder.file("loop-b"));
    EXPECT_EQ(errorOf([&] { writeWholeFile(folder.file("loop-a"), "{}"); }),
              folder.file("loop-a") + ": cannot be written: Too many levels of symbolic links");
    EXPECT_EQ(folder.entryCount(), 6u);
    EXPECT_EQ(entriesIn(folder.file("levels")), 2u);
}

TEST(WriteWholeFile, ReplacesTheFileWholeKeepingItsPermissionsAndLeavesNothingBehind) {
    TempFolder folder;
    std::string path = folder.write("map.json", std::string(500, 'x'));
    const auto kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, kept);
    writeWholeFile(path, "{}");
    EXPECT_EQ(TempFolder::read(path), "{}");
    EXPECT_EQ(folder.entryCount(), 1u);
    EXPECT_EQ(fs::status(path).permissions(), kept);

    // A new file gets what the umask leaves of read and write for all, as
    // any file a program creates.
    const mode_t savedMask = ::umask(027);
    std::string fresh = folder.file("new.json");
    writeWholeFile(fresh, "[]");
    ::umask(savedMask);
    EXPECT_EQ(TempFolder::read(fresh), "[]");
    EXPECT_EQ(fs::status(fresh).permissions(), kept | fs::perms::group_read);
    EXPECT_EQ(folder.entryCount(), 2u);

    // Empty contents make an empty file.
    writeWholeFile(fresh, "");
    EXPECT_EQ(fs::file_size(fresh), 0u);
}

TEST(WriteWholeFile, FailuresNameTheFileAndLeaveNothingBehind) {
    // Permission bits do not stop root; a folder below a regular file
    // cannot be created or written by anyone.
    TempFolder folder;
    std::string plain = folder.write("plain", "keep");
    std::string path = plain + "/map.json";
    EXPECT_EQ(errorOf([&] { writeWholeFile(path, "{}"); }), path + ": cannot be written: Not a directory");
    EXPECT_EQ(errorOf([&] { writeWholeFile(folder.file("none/map.json"), "{}"); }),
              folder.file("none/map.json") + ": cannot be written: No such file or directory");
    // A folder cannot be replaced by a file.
    fs::create_directory(folder.file("folder.json"));
    EXPECT_EQ(errorOf([&] { writeWholeFile(folder.file("folder.json"), "{}"); }),
              folder.file("folder.json") + ": cannot be written: Is a directory");
    // No temporary name fits beside a name as long as a name can be.
    const std::string longest = folder.file(folder.longestName());
    EXPECT_EQ(errorOf([&] { writeWholeFile(longest, "{}"); }), longest + ": cannot be written: File name too long");
    EXPECT_EQ(errorOf([&] { writeWholeFile("", "{}"); }), "\"\": the file name is empty");
    EXPECT_EQ(TempFolder::read(plain), "keep");
    EXPECT_EQ(folder.entryCount(), 2u);
}

TEST(WriteWholeFile, AWriteThatFailsPartWayLeavesTheOldFileByteIdentical) {
    TempFolder folder;
    const std::string old = R"({"blocks":[[1,1]],"items":[]})";
    std::string path = folder.write("map.json", old);

    // A file-size limit makes the write itself fail part-way, for root too.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string error = errorOf([&] { writeWholeFile(path, std::string(4096, 'y')); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, path + ": cannot be written: File too large");
    EXPECT_EQ(TempFolder::read(path), old);
    EXPECT_EQ(folder.entryCount(), 1u);
}

namespace {

// Writers that replace one file at once, each with a version of its own
// again and again, while the test reads the file.
constexpr int writerCount = 4;
constexpr int writesEach = 25;
// Large enough that one write takes several system calls' worth of pages.
constexpr std::size_t versionSize = 256 * 1024;

std::string versionOf(int writer) { return std::string(versionSize, static_cast<char>('a' + writer)); }

// The writes of one writer; the number that failed.
int writeVersions(const std::string& path, int writer) {
    int failed = 0;
    for (int i = 0; i < writesEach; ++i) {
        try {
            writeWholeFile(path, versionOf(writer));
        } catch (const std::runtime_error&) {
            ++failed;
        }
    }
    return failed;
}

// Whether text is one writer's version, whole.
bool isWholeVersion(const std::string& text) {
    if (text.size() != versionSize) return false;
    const char mark = text.front();
    return mark >= 'a' && mark < 'a' + writerCount && text.find_first_not_of(mark) == std::string::npos;
}

// Reads path over and over until done() says the writers have finished;
// the number of reads that found anything but a whole version.
template <typename Done>
int readWhileWriting(const std::string& path, Done&& done) {
    int torn = 0;
    while (!done()) {
        if (!isWholeVersion(base::readInputFile(path))) ++torn;
    }
    return torn;
}

}  // namespace

// Each write has a temporary file of its own, so that writers in one
// process (threads) or in several never write into each other's: every
// write succeeds, a reader only ever finds one whole version, and no
// temporary file is left.
TEST(WriteWholeFile, WritersAtOnceNeverMixTheirVersions) {
    for (const bool processes : {false, true}) {
        SCOPED_TRACE(processes ? "processes" : "threads");
        TempFolder folder;
        const std::string path = folder.write("level.json", versionOf(0));
        int failedWrites = 0;
        int torn = 0;
        if (processes) {
            std::vector<pid_t> children;
            for (int writer = 0; writer < writerCount; ++writer) {
                const pid_t child = ::fork();
                ASSERT_GE(child, 0);
                if (child == 0) ::_exit(writeVersions(path, writer) == 0 ? 0 : 1);
                children.push_back(child);
            }
            std::size_t running = children.size();
            torn = readWhileWriting(path, [&] {
                for (pid_t& child : children) {
                    int status = 0;
                    if (child == 0 || ::waitpid(child, &status, WNOHANG) != child) continue;
                    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failedWrites;
                    child = 0;
                    --running;
                }
                return running == 0;
            });
        } else {
            std::atomic<int> failed{0};
            std::atomic<int> finished{0};
            std::vector<std::thread> writers;
            for (int writer = 0; writer < writerCount; ++writer) {
                writers.emplace_back([&, writer] {
                    failed += writeVersions(path, writer);
                    ++finished;
                });
            }
            torn = readWhileWriting(path, [&] { return finished == writerCount; });
            for (auto& writer : writers) writer.join();
            failedWrites = failed;
        }
        EXPECT_EQ(failedWrites, 0);
        EXPECT_EQ(torn, 0);
        EXPECT_TRUE(isWholeVersion(TempFolder::read(path)));
        EXPECT_EQ(folder.entryCount(), 1u);
    }
}
