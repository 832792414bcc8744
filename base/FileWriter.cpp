#include "base/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace base {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& problem) {
    throw std::runtime_error(path + ": " + problem);
}

[[noreturn]] void cannotWrite(const std::string& path, int error) {
    fail(path, "cannot be written: " + std::string(std::strerror(error)));
}

// The file that path leads to through any symbolic links, which need not
// exist yet; path itself when it is no link.
std::string linkTarget(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current(path);
    // As many links as the system follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)) || ec) return current.string();
        fs::path next = fs::read_symlink(current, ec);
        if (ec) fail(path, "cannot be written: " + ec.message());
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    cannotWrite(path, ELOOP);
}

// Numbers this process's temporary files, so that two threads saving at once
// never pick one name; the process id sets those of two processes apart.
std::atomic<unsigned long> temporaryCount{0};

// Names taken by files that some other writer left (a crash keeps its
// temporary file) are passed over, up to this many.
constexpr int temporaryAttempts = 1000;

// The temporary file of one write, beside the file it replaces. It is
// created new (never opened as another writer's) with the mode a new file
// gets, and is removed again unless it has been renamed into place.
class TemporaryFile {
public:
    // Throws with path in the message when no file can be created.
    TemporaryFile(const std::string& path, const std::string& target) {
        const std::string stem = target + "." + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < temporaryAttempts; ++attempt) {
            name_ = stem + std::to_string(temporaryCount++) + ".saving";
            fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd_ >= 0) return;
            if (errno != EEXIST) cannotWrite(path, errno);
        }
        cannotWrite(path, EEXIST);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const { return fd_; }
    [[nodiscard]] const std::string& name() const { return name_; }
    // Closes the descriptor: 0, or the errno of a failed close.
    int close() {
        const int closed = ::close(fd_);
        fd_ = -1;
        return closed == 0 ? 0 : errno;
    }
    // It is the file now: nothing to remove.
    void renamed() { renamed_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
};

void writeAll(const std::string& path, int fd, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            cannotWrite(path, errno);
        }
        done += static_cast<std::size_t>(put);
    }
}

}  // namespace

void writeWholeFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) fail("\"\"", "the file name is empty");
    // A link is written through: the file it leads to is replaced and the
    // link stays a link.
    const std::string target = linkTarget(path);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    TemporaryFile temporary(path, target);
    if (replacing && ::fchmod(temporary.fd(), old.st_mode & 07777) != 0) cannotWrite(path, errno);
    writeAll(path, temporary.fd(), bytes);
    // On the disk before the rename, so that a crash leaves the old file or
    // the new one, never an empty one.
    if (::fsync(temporary.fd()) != 0) cannotWrite(path, errno);
    if (const int error = temporary.close()) cannotWrite(path, error);
    if (::rename(temporary.name().c_str(), target.c_str()) != 0) cannotWrite(path, errno);
    temporary.renamed();

    // The rename itself lasts once the folder is on the disk too. The new
    // file is already in place: a folder that cannot be synced (some file
    // systems refuse) is no reason to report the write as failed.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace base
