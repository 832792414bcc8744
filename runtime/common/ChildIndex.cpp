#include "runtime/common/ChildIndex.h"

#include <algorithm>
#include <cmath>

#include "runtime/common/Node.h"

namespace gfxrt {

namespace {

// A child spanning more cells than this (per side) is kept apart.
constexpr double maxCellsPerChild = 8;
// Cells are this many times the mean size of a child.
constexpr double cellsPerChildSize = 2;
// Coordinates beyond this many cells from the origin are kept apart too.
constexpr double maxCell = 1e9;

bool finite(const Bounds& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

}  // namespace

ChildIndex::ChildIndex(const ChildList& children) {
    std::vector<Bounds> boxes(children.size());
    double sizes = 0;
    int sized = 0;
    std::size_t i = 0;
    for (const auto& each : children) {
        const Node& child = *each;
        if (!child.hasDrawableTransform()) {
            ++i;
            continue;
        }
        boxes[i] = child.bounds().transformed(child.localMatrix());
        if (!boxes[i].empty && finite(boxes[i])) {
            sizes += std::max(boxes[i].width(), boxes[i].height());
            ++sized;
        }
        ++i;
    }
    if (sized > 0 && sizes > 0) {
        cellSize_ = std::max(cellsPerChildSize * sizes / sized, 1e-6);
    }
    for (i = 0; i < boxes.size(); ++i) {
        const Bounds& box = boxes[i];
        if (box.empty) {
            continue;
        }
        const auto index = static_cast<std::uint32_t>(i);
        all_.push_back(index);
        if (!finite(box) || box.width() > maxCellsPerChild * cellSize_ || box.height() > maxCellsPerChild * cellSize_ ||
            std::max({std::fabs(box.minX), std::fabs(box.maxX), std::fabs(box.minY), std::fabs(box.maxY)}) >
                maxCell * cellSize_) {
            large_.push_back(index);
            continue;
        }
        for (std::int64_t cy = cellOf(box.minY); cy <= cellOf(box.maxY); ++cy) {
            for (std::int64_t cx = cellOf(box.minX); cx <= cellOf(box.maxX); ++cx) {
                cells_[key(cx, cy)].push_back(index);
            }
        }
    }
}

std::int64_t ChildIndex::cellOf(double coordinate) const {
    return static_cast<std::int64_t>(std::floor(coordinate / cellSize_));
}

void ChildIndex::find(const Bounds& area, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (area.empty) {
        return;
    }
    const double spanX = area.width() / cellSize_;
    const double spanY = area.height() / cellSize_;
    const bool huge = !finite(area) || !(spanX < maxCell && spanY < maxCell) ||
                      std::max({std::fabs(area.minX), std::fabs(area.maxX), std::fabs(area.minY),
                                std::fabs(area.maxY)}) > maxCell * cellSize_ ||
                      (spanX + 1) * (spanY + 1) > static_cast<double>(all_.size());
    if (huge) {
        out = all_;
        return;
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
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

}  // namespace gfxrt
