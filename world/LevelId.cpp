#include "world/LevelId.h"

#include <cstdint>
#include <cstdio>

namespace game {

namespace {

// 64-bit FNV-1a: fixed by its definition, the same on every machine.
class Fnv1a {
public:
    void add(const std::string& text) {
        for (const unsigned char c : text) {
            hash_ ^= c;
            hash_ *= 0x100000001b3ULL;
        }
    }
    [[nodiscard]] std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

void addCells(Fnv1a& hash, const char* layer, const GameMapLayer<bool>& cells) {
    hash.add(layer);
    // toArray lists the cells sorted: the file's order does not count.
    for (const auto& [x, y] : cells.toArray()) {
        hash.add(std::to_string(static_cast<long long>(x)) + "," + std::to_string(static_cast<long long>(y)) + ";");
    }
}

}  // namespace

std::string levelIdOf(const LevelContents& contents) {
    Fnv1a hash;
    addCells(hash, "blocks:", contents.blocks);
    addCells(hash, "shards:", contents.levelItems);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash.value()));
    return text;
}

}  // namespace game
