// vyn-levelgen: writes a large level for the benchmarks. It keeps every
// cell of a base level (the shipped one) and adds, around it, terrain below
// the ground line and platforms in the sky, then shards on free sky cells.
// The same arguments always give the same file.
//
//     vyn-levelgen BASE.json BLOCKS SHARDS OUT.json
//
// BLOCKS and SHARDS are the totals wanted (base cells included).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Cell = std::pair<int, int>;

// A small fixed generator: the file must not depend on the library's.
class Lcg {
public:
    int below(int n) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
    }

private:
    std::uint64_t state_ = 0x5eed;
};

// Columns left free on either side of the start, so a player that runs
// from it meets the base level first.
constexpr int startClearing = 28;
// Rows of terrain under the ground line, and the band of the sky that
// holds platforms (the player stands on row -1).
constexpr int terrainRows = 8;
constexpr int skyTop = -40;
constexpr int skyBottom = -6;

std::vector<Cell> cellsOf(const nlohmann::json& list) {
    std::vector<Cell> cells;
    for (const auto& entry : list) cells.emplace_back(entry.at(0).get<int>(), entry.at(1).get<int>());
    return cells;
}

void write(std::ostream& out, const char* key, const std::vector<Cell>& cells) {
    out << '"' << key << "\":[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out << (i ? ",[" : "[") << cells[i].first << ',' << cells[i].second << ']';
    }
    out << ']';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: vyn-levelgen BASE.json BLOCKS SHARDS OUT.json\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "vyn-levelgen: cannot read " << argv[1] << '\n';
        return 2;
    }
    const nlohmann::json base = nlohmann::json::parse(in);
    const auto blockTotal = static_cast<std::size_t>(std::strtoul(argv[2], nullptr, 10));
    const auto shardTotal = static_cast<std::size_t>(std::strtoul(argv[3], nullptr, 10));

    std::vector<Cell> blocks = cellsOf(base.at("blocks"));
    std::vector<Cell> items = cellsOf(base.at("items"));
    std::set<Cell> taken(blocks.begin(), blocks.end());
    taken.insert(items.begin(), items.end());

    // Terrain fills whole columns under the ground, spreading out from the
    // start alternately to the right and the left; every other column group
    // also gets a platform in the sky, so both halves of the window hold
    // cells wherever the camera goes.
    Lcg random;
    auto add = [&](std::vector<Cell>& into, Cell cell) {
        if (into.size() >= (&into == &blocks ? blockTotal : shardTotal)) return;
        if (taken.insert(cell).second) into.push_back(cell);
    };
    for (int step = 0; blocks.size() < blockTotal; ++step) {
        const int offset = startClearing + step / 2;
        const int x = step % 2 == 0 ? offset : -offset;
        for (int row = 0; row < terrainRows; ++row) add(blocks, {x, row});
        if (step % 6 < 2) {
            const int y = skyBottom - random.below(skyBottom - skyTop);
            for (int k = 0; k < 4; ++k) add(blocks, {x + (x > 0 ? k : -k), y});
        }
    }
    // Shards on free sky cells, near the start first.
    for (int step = 0; items.size() < shardTotal; ++step) {
        const int spread = startClearing + step / 8;
        const int x = random.below(2 * spread + 1) - spread;
        const int y = skyBottom - random.below(skyBottom - skyTop);
        add(items, {x, y});
    }

    std::ofstream out(argv[4]);
    out << '{';
    write(out, "blocks", blocks);
    out << ',';
    write(out, "items", items);
    out << "}\n";
    if (!out) {
        std::cerr << "vyn-levelgen: cannot write " << argv[4] << '\n';
        return 1;
    }
    return 0;
}
