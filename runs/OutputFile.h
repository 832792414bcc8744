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
    // Throws std::runtime_error "<path>: <reason>" when it cannot be created.
    explicit OutputFile(const std::filesystem::path& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void writeLine(const std::string& line);
    void flush();
    // Flushes and closes: a message naming the file and the first failure,
    // or empty when every write went through.
    std::string close();

private:
    void check();

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace runs
