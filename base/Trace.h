#pragma once

#include <charconv>
#include <concepts>
#include <cstdio>
#include <string>
#include <string_view>

namespace base {

namespace trace_detail {

inline void append(std::string& line, std::string_view text) { line += text; }
inline void append(std::string& line, const char* text) { line += text; }
inline void append(std::string& line, const std::string& text) { line += text; }
inline void append(std::string& line, bool value) { line += value ? "true" : "false"; }

// A bool still takes the overload above, which writes it as a word: a
// function that is not a template wins an exact match.
template <typename N>
concept Number = std::integral<N> || std::floating_point<N>;

template <Number N>
void append(std::string& line, N value) {
    // Shortest form that reads back as the same number.
    char text[64];
    auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

constexpr std::string_view baseName(std::string_view path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace trace_detail

// Writes one diagnostic line "source:line: message" to standard output, each
// extra value appended after a comma ("GameMap:48: saved map to,path").
template <typename... Extras>
void trace(std::string_view source, int line, std::string_view message, const Extras&... extras) {
    std::string text;
    text += source;
    text += ':';
    trace_detail::append(text, line);
    text += ": ";
    text += message;
    ((text += ',', trace_detail::append(text, extras)), ...);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace base

// A trace line naming the calling source file (without its folder) and line.
#define VYN_TRACE(...) ::base::trace(::base::trace_detail::baseName(__FILE__), __LINE__, __VA_ARGS__)
