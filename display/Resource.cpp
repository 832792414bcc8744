#include "display/Resource.h"

#include <map>

namespace gfx {

namespace {

// A function-level table: registrations run during static initialisation, in
// no particular order with respect to other files.
std::map<std::string, Resource::Bytes>& table() {
    static std::map<std::string, Resource::Bytes> resources;
    return resources;
}

}  // namespace

void Resource::add(const char* name, const unsigned char* data, std::size_t size) { table()[name] = Bytes(data, size); }

std::optional<Resource::Bytes> Resource::getBytes(const std::string& name) {
    auto found = table().find(name);
    if (found == table().end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> Resource::getString(const std::string& name) {
    auto bytes = getBytes(name);
    if (!bytes) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size());
}

std::vector<std::string> Resource::listNames() {
    std::vector<std::string> names;
    for (const auto& entry : table()) names.push_back(entry.first);
    return names;
}

}  // namespace gfx
