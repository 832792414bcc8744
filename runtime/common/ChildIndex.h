// Where a container's children lie, for drawing only those that can be in
// view: a grid of the boxes the children's subtrees cover, in the
// container's coordinates. A container keeps one while its children stay
// where they are (see Node::childIndex).
#ifndef VYN_RUNTIME_COMMON_CHILDINDEX_H
#define VYN_RUNTIME_COMMON_CHILDINDEX_H

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "base/ChunkedList.h"
#include "runtime/common/Bounds.h"

namespace gfxrt {

class Node;
// A container's children in stacking order.
using ChildList = base::ChunkedList<std::shared_ptr<Node>>;

class ChildIndex {
public:
    // Containers with fewer children are simply walked.
    static constexpr std::size_t minChildren = 256;

    explicit ChildIndex(const ChildList& children);

    // The positions of the children whose box meets the area, ascending.
    // Children that can draw nothing (no box, a transform that cannot be
    // drawn) are never among them.
    void find(const Bounds& area, std::vector<std::uint32_t>& out) const;

private:
    [[nodiscard]] std::int64_t cellOf(double coordinate) const;
    static std::uint64_t key(std::int64_t cx, std::int64_t cy) {
        return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
    }

    double cellSize_ = 1;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
    // Children whose box spans many cells, or is not finite: always tested.
    std::vector<std::uint32_t> large_;
    // Every child in the grid or in large_, ascending: a very large area
    // takes them all.
    std::vector<std::uint32_t> all_;
};

}  // namespace gfxrt

#endif
