#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gfx {

// Files compiled into the program, found by resource name. A build adds them
// with the CMake function vyn_embed_resource(target name file); the generated
// code registers each one before main runs.
class Resource {
public:
    using Bytes = std::span<const unsigned char>;

    // The resource's bytes (valid for the whole run), or nothing.
    [[nodiscard]] static std::optional<Bytes> getBytes(const std::string& name);
    [[nodiscard]] static std::optional<std::string> getString(const std::string& name);
    static std::vector<std::string> listNames();

    // Called by the generated registration code. A second registration of a
    // name replaces the first.
    static void add(const char* name, const unsigned char* data, std::size_t size);
};

}  // namespace gfx
