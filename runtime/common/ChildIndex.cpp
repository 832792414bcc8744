#include "runtime/common/ChildIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/common/Node.h"

namespace gfxrt {

namespace {

// A child spanning more cells than this (per side) is kept apart.
constexpr double maxCellsPerChild = 8;
// Cells are this many times the mean size of a child.
constexpr double cellsPerChildSize = 2;
// Coordinates beyond this many cells from the origin are kept apart too.
constexpr double maxCell = 1e9;
// The keys run from above 0 to below this; 0 and the top stand for "no
// neighbour" below and above.
constexpr std::uint64_t keyEnd = std::numeric_limits<std::uint32_t>::max();

bool finite(const Bounds& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

// The child's box in the container's coordinates; empty when it can draw
// nothing.
Bounds boxOf(const Node& child) {
    if (!child.hasDrawableTransform()) {
        return Bounds{};
    }
    return child.bounds().transformed(child.localMatrix());
}

}  // namespace

ChildIndex::ChildIndex(const ChildList& children) {
    // Keys spread evenly, so that insertions find room between any two.
    const std::uint64_t step = keyEnd / (children.size() + 1);
    std::uint64_t next = step;
    std::vector<Bounds> boxes;
    boxes.reserve(children.size());
    double sizes = 0;
    int sized = 0;
    for (const auto& child : children) {
        child->stackKey = static_cast<std::uint32_t>(next);
        next += step;
        const Bounds& box = boxes.emplace_back(boxOf(*child));
        if (!box.empty && finite(box)) {
            sizes += std::max(box.width(), box.height());
            ++sized;
        }
    }
    if (sized > 0 && sizes > 0) {
        cellSize_ = std::max(cellsPerChildSize * sizes / sized, 1e-6);
    }
    std::size_t i = 0;
    for (const auto& child : children) {
        enter(*child, boxes[i++]);
    }
}

template <class Visit>
bool ChildIndex::forEachCell(const Bounds& box, Visit&& visit, bool& large) const {
    large = false;
    if (box.empty) {
        return false;
    }
    if (!finite(box) || box.width() > maxCellsPerChild * cellSize_ || box.height() > maxCellsPerChild * cellSize_ ||
        std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY)}) >
            maxCell * cellSize_) {
        large = true;
        return true;
    }
    for (std::int64_t cy = cellOf(box.minY); cy <= cellOf(box.maxY); ++cy) {
        for (std::int64_t cx = cellOf(box.minX); cx <= cellOf(box.maxX); ++cx) {
            visit(key(cx, cy));
        }
    }
    return true;
}

void ChildIndex::enter(const Node& child, const Bounds& box) {
    bool large = false;
    if (!forEachCell(
            box, [&](std::uint64_t cell) { cells_[cell].push_back(&child); }, large)) {
        return;
    }
    if (large) {
        large_.push_back(&child);
    }
    ++entered_;
}

bool ChildIndex::insert(const ChildList& children, std::size_t position) {
    const std::uint64_t below = position > 0 ? children[position - 1]->stackKey : 0;
    const std::uint64_t above = position + 1 < children.size() ? children[position + 1]->stackKey : keyEnd;
    if (above - below < 2) {
        return false;
    }
    Node& child = *children[position];
    child.stackKey = static_cast<std::uint32_t>(below + (above - below) / 2);
    enter(child, boxOf(child));
    return true;
}

void ChildIndex::remove(const Node& child) {
    const auto drop = [&child](std::vector<const Node*>& list) {
        const auto found = std::find(list.begin(), list.end(), &child);
        if (found != list.end()) {
            list.erase(found);
        }
    };
    bool large = false;
    if (!forEachCell(
            boxOf(child),
            [&](std::uint64_t cell) {
                const auto found = cells_.find(cell);
                if (found == cells_.end()) {
                    return;
                }
                drop(found->second);
                if (found->second.empty()) {
                    cells_.erase(found);
                }
            },
            large)) {
        return;
    }
    if (large) {
        drop(large_);
    }
    --entered_;
}

std::int64_t ChildIndex::cellOf(double coordinate) const {
    return static_cast<std::int64_t>(std::floor(coordinate / cellSize_));
}

bool ChildIndex::find(const Bounds& area, std::vector<const Node*>& out) const {
    out.clear();
    if (area.empty) {
        return true;
    }
    const double spanX = area.width() / cellSize_;
    const double spanY = area.height() / cellSize_;
    const bool huge = !finite(area) || !(spanX < maxCell && spanY < maxCell) ||
                      std::max({std::fabs(area.minX), std::fabs(area.maxX), std::fabs(area.minY),
                                std::fabs(area.maxY)}) > maxCell * cellSize_ ||
                      (spanX + 1) * (spanY + 1) > static_cast<double>(entered_);
    if (huge) {
        return false;
    }
    out = large_;
    for (std::int64_t cy = cellOf(area.minY); cy <= cellOf(area.maxY); ++cy) {
        for (std::int64_t cx = cellOf(area.minX); cx <= cellOf(area.maxX); ++cx) {
            auto found = cells_.find(key(cx, cy));
            if (found != cells_.end()) {
                out.insert(out.end(), found->second.begin(), found->second.end());
            }
        }
    }
    std::sort(out.begin(), out.end(), [](const Node* a, const Node* b) { return a->stackKey < b->stackKey; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}

}  // namespace gfxrt
