#pragma once

#include <stdexcept>
#include <string>

// The message of the std::runtime_error that f throws, or "" when it throws
// none: a file operation's failure compared as the user reads it.
template <typename F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}
