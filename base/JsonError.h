#pragma once

#include <string>

namespace base {

// A JSON library's error message as one of our messages quotes it: without
// its "[json.exception.…] " tag, and with every quoted word, among them
// what the parser last read, cut to a readable length.
[[nodiscard]] std::string describeJsonError(std::string what);

}  // namespace base
