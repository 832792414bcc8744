#include "display/Assets.h"

#include <cstdio>

#include "display/AssetData.h"
#include "display/NativePrimitives.h"

namespace gfx {

namespace {

// A trace line "source:line: message" on standard output.
void trace(int line, const std::string& message) {
    std::printf("Assets.cpp:%d: %s\n", line, message.c_str());
    std::fflush(stdout);
}

std::optional<std::vector<unsigned char>> readFile(const std::string& path) {
    const auto& prim = native::FilePrimitives::get();
    rt_bytes bytes{nullptr, 0};
    if (prim.readFile(path.c_str(), &bytes) == 0) return std::nullopt;
    std::vector<unsigned char> contents(bytes.data, bytes.data + bytes.size);
    prim.freeBuffer(&bytes);
    return contents;
}

}  // namespace

std::optional<std::vector<unsigned char>> Assets::getBytes(const std::string& id) {
    AssetData::initialize();
    if (AssetData::type.count(id) == 0) {
        trace(__LINE__, "[gfx.Assets] There is no String or ByteArray asset with an ID of \"" + id + "\"");
        return std::nullopt;
    }
    return readFile(AssetData::path[id]);
}

std::optional<std::string> Assets::getText(const std::string& id) {
    auto bytes = getBytes(id);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

text::FontPtr Assets::getFont(const std::string& id) {
    AssetData::initialize();
    auto found = AssetData::type.find(id);
    if (found == AssetData::type.end() || found->second != AssetType::FONT) {
        trace(__LINE__, "[gfx.Assets] There is no Font asset with an ID of \"" + id + "\"");
        return nullptr;
    }
    auto bytes = readFile(AssetData::path[id]);
    if (!bytes) return nullptr;
    return text::Font::fromBytes(*bytes);
}

}  // namespace gfx
