// Where a container's children lie, for drawing only those that can be in
// view: a grid of the boxes the children's subtrees cover, in the
// container's coordinates. A container keeps one while its children stay
// where they are (see Node::childIndex); a child that comes, goes or moves
// in the list is entered or taken out on its own, so that one edit of a
// large layer does not cost a new grid.
//
// The grid holds the children themselves, not their positions (which every
// insertion would shift): each child carries a stacking key, ascending with
// its position, and what a search finds is put in order by those keys.
#ifndef VYN_RUNTIME_COMMON_CHILDINDEX_H
#define VYN_RUNTIME_COMMON_CHILDINDEX_H

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "chunked_list/ChunkedList.h"
#include "runtime/common/Bounds.h"

namespace gfxrt {

class Node;
// A container's children in stacking order.
using ChildList = base::ChunkedList<std::shared_ptr<Node>>;

class ChildIndex {
public:
    // Containers with fewer children are simply walked.
    static constexpr std::size_t minChildren = 256;

    // Gives every child its stacking key.
    explicit ChildIndex(const ChildList& children);

    // The children whose box meets the area, in stacking order, into out;
    // false (out left empty) when the area covers so much of the grid that
    // walking all the children costs less. Children that can draw nothing
    // (no box, a transform that cannot be drawn) are never among them.
    bool find(const Bounds& area, std::vector<const Node*>& out) const;

    // The child now at this position of the list (already in it) enters the
    // grid, its key between its neighbours'. False when they leave no room
    // for a key: the grid must then be made anew.
    [[nodiscard]] bool insert(const ChildList& children, std::size_t position);
    // The child, still in the list with the box it had when it entered,
    // leaves the grid.
    void remove(const Node& child);

private:
    [[nodiscard]] std::int64_t cellOf(double coordinate) const;
    static std::uint64_t key(std::int64_t cx, std::int64_t cy) {
        return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
    }
    // Where a child's box goes: cells, the large ones, or nowhere (false).
    template <class Visit>
    bool forEachCell(const Bounds& box, Visit&& visit, bool& large) const;
    void enter(const Node& child, const Bounds& box);

    double cellSize_ = 1;
    std::unordered_map<std::uint64_t, std::vector<const Node*>> cells_;
    // Children whose box spans many cells, or is not finite: always tested.
    std::vector<const Node*> large_;
    // Children in the grid or in large_.
    std::size_t entered_ = 0;
};

}  // namespace gfxrt

#endif
