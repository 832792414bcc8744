#pragma once

#include <array>
#include <string>
#include <vector>

namespace game {

// The level file: a JSON object whose "blocks" and "items" are arrays of
// [x, y] cell entries. Reading is lenient about layout; formatting produces
// one exact compact form (written whole by base::writeWholeFile). Every
// failure is a std::runtime_error whose message starts with the path.
class MapFile {
public:
    using CellPair = std::array<double, 2>;
    // Per entry the numbers that matter, x and y; an element missing from a
    // shorter entry is 0.
    using Entries = std::vector<CellPair>;

    struct Contents {
        Entries blocks;
        Entries items;
    };

    // Reads and checks the whole file. Keys may come in any order, other
    // keys and further elements of an entry are ignored, and a null element
    // counts as 0. Missing, unreadable or malformed input throws: anything
    // but a regular file, a NUL byte anywhere, a number beyond the range of
    // a double.
    [[nodiscard]] static Contents read(const std::string& path);

    // {"blocks":[[x,y],...],"items":[[x,y],...]} with no whitespace, each
    // number as "%.10g".
    [[nodiscard]] static std::string format(const std::vector<CellPair>& blocks, const std::vector<CellPair>& items);
};

}  // namespace game
