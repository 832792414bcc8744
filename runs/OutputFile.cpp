#include "runs/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace runs {

OutputFile::OutputFile(const std::filesystem::path& path) : path_(path) {
    if (path == "-") {
        file_ = stdout;
        return;
    }
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) throw std::runtime_error(path.string() + ": " + std::strerror(errno));
}

OutputFile::~OutputFile() { close(); }

void OutputFile::check() {
    if (error_ == 0 && std::ferror(file_) != 0) error_ = errno != 0 ? errno : EIO;
}

void OutputFile::writeLine(const std::string& line) {
    if (file_ == nullptr) return;
    errno = 0;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    check();
}

void OutputFile::flush() {
    if (file_ == nullptr) return;
    errno = 0;
    if (std::fflush(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    check();
}

std::string OutputFile::close() {
    if (file_ != nullptr) {
        flush();
        errno = 0;
        if (file_ != stdout && std::fclose(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
        file_ = nullptr;
    }
    if (error_ == 0) return "";
    const std::string name = path_ == "-" ? "standard output" : path_.string();
    return "cannot write " + name + ": " + std::strerror(error_);
}

}  // namespace runs
