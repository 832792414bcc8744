#include "base/JsonError.h"

#include "base/InputFile.h"

namespace base {

std::string describeJsonError(std::string detail) {
    if (detail.starts_with("[json.exception.")) {
        auto tagEnd = detail.find("] ");
        if (tagEnd != std::string::npos) detail.erase(0, tagEnd + 2);
    }
    // What the parser last read is quoted to the end and may itself hold
    // quotes, so it is cut as one word before the quoted words are.
    const std::string lastRead = "last read: '";
    if (auto from = detail.find(lastRead); from != std::string::npos) {
        const std::size_t start = from + lastRead.size();
        const std::size_t end = detail.rfind('\'');
        if (end != std::string::npos && end >= start) {
            detail = detail.substr(0, start) + base::clipWord(std::string_view(detail).substr(start, end - start)) +
                     detail.substr(end);
        }
    }
    std::string clipped;
    std::size_t at = 0;
    for (;;) {
        auto open = detail.find('\'', at);
        auto close = open == std::string::npos ? std::string::npos : detail.find('\'', open + 1);
        if (close == std::string::npos) break;
        clipped += detail.substr(at, open + 1 - at);
        clipped += base::clipWord(std::string_view(detail).substr(open + 1, close - open - 1));
        clipped += '\'';
        at = close + 1;
    }
    clipped += detail.substr(at);
    return clipped;
}

}  // namespace base
