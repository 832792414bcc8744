#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace runs {

// A text output of a run (a trace, a recording): a file, or standard output
// for "-", written through the C library's buffer. The first failure is
// kept, so that the program can end with a message and a non-zero status
// instead of losing the output silently.
class OutputFile {
public:
    // `what` names the output in messages ("the trace"). Throws
    // std::runtime_error "cannot write <what> to <path>: <reason>" when the
    // file cannot be created.
    OutputFile(const std::filesystem::path& path, std::string what);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void writeLine(const std::string& line);
    void flush();
    // A write has failed: what follows would be lost.
    [[nodiscard]] bool failed() const { return error_ != 0; }
    // Flushes and closes: "cannot write <what> to <file>: <reason>" for the
    // first failure, or empty when every write went through.
    std::string close();

private:
    void check();
    [[nodiscard]] std::string failure(int error) const;

    std::filesystem::path path_;
    std::string what_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace runs
