#pragma once

#include <string>
#include <string_view>

namespace base {

// Which kinds of file an input may be.
enum class InputKind {
    // Only a regular file: never a folder, a device or a pipe.
    RegularFile,
    // A regular file, or a pipe or FIFO that the caller feeds.
    RegularFileOrPipe,
};

// The whole contents of the file at path, read from one open descriptor in
// one pass. The kind of file is checked on that descriptor, before anything
// is read, so a folder, a device or (for RegularFile) a FIFO is refused
// without blocking. Every failure is a std::runtime_error whose message is
// "<path>: <problem>".
[[nodiscard]] std::string readInputFile(const std::string& path, InputKind kind = InputKind::RegularFile);

// The longest part of a word that messages quote.
inline constexpr std::size_t quotedWordLimit = 80;

// word cut to its first quotedWordLimit characters, with "..." added after
// a cut, so that a message about a huge word stays one readable line. For
// words taken from inside an input (a token of a level or a script); a path
// is never cut: see wholePath.
[[nodiscard]] std::string clipWord(std::string_view word);

// A path (or an argument that holds one) as a message quotes it: whole,
// since its file name at the end is what the user needs, with control
// characters written as \n, \t or \xHH so that the message stays one line.
[[nodiscard]] std::string wholePath(std::string_view path);

}  // namespace base
