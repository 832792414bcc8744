#include "base/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace base {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& problem) {
    throw std::runtime_error(path + ": " + problem);
}

std::string reason(int error) { return std::strerror(error); }

// Closes the descriptor when reading ends, however it ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string readInputFile(const std::string& path, InputKind kind) {
    if (path.empty()) fail("\"\"", "the file name is empty");
    // Non-blocking, so that opening a FIFO with no writer or a device that
    // waits does not hang before the kind is known.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) fail(path, "cannot be read: " + reason(errno));

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) fail(path, "cannot be read: " + reason(errno));
    if (S_ISDIR(info.st_mode)) fail(path, "cannot be read: " + reason(EISDIR));
    const bool pipe = S_ISFIFO(info.st_mode);
    if (!S_ISREG(info.st_mode) && !(pipe && kind == InputKind::RegularFileOrPipe)) {
        fail(path, pipe ? "cannot be read: a pipe, not a regular file" : "cannot be read: not a regular file");
    }
    // A pipe is read as it is fed.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        fail(path, "cannot be read: " + reason(errno));
    }

    std::string text;
    if (S_ISREG(info.st_mode) && info.st_size > 0) text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            fail(path, "cannot be read: " + reason(errno));
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

std::string clipWord(std::string_view word) {
    if (word.size() <= quotedWordLimit) return std::string(word);
    return std::string(word.substr(0, quotedWordLimit)) + "...";
}

std::string wholePath(std::string_view path) {
    std::string shown;
    shown.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            static constexpr char digits[] = "0123456789abcdef";
            shown += "\\x";
            shown += digits[byte >> 4];
            shown += digits[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace base
