#include "runs/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace runs {

OutputFile::OutputFile(const std::filesystem::path& path, std::string what) : path_(path), what_(std::move(what)) {
    if (path == "-") {
        file_ = stdout;
        return;
    }
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) throw std::runtime_error(failure(errno));
}

std::string OutputFile::failure(int error) const {
    const std::string name = path_ == "-" ? "standard output" : path_.string();
    return "cannot write " + what_ + " to " + name + ": " + std::strerror(error);
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
    return error_ == 0 ? "" : failure(error_);
}

}  // namespace runs
