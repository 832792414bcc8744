#include "Scene.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace vyn::testing {

namespace {

constexpr std::uint32_t playerColour = 0x40CCC0;
constexpr std::uint32_t blockColour = 0x546677;
constexpr std::uint32_t groundColour = 0x332E28;

}  // namespace

Scene::Scene(Frame frame) : frame_(std::move(frame)), horizon_(findHorizon()), player_(findPlayer()) {}

std::optional<int> Scene::findHorizon() const {
    // The ground reaches the bottom of the window. Shards, the heads-up
    // display's text and the player may cover a column of it near the top or
    // below, never above it: the highest ground seen in any column is its top.
    std::optional<int> top;
    for (int x = 0; x < frame_.width; x += 7) {
        int y = frame_.height;
        while (y > 0 && frame_.at(x, y - 1) == groundColour) --y;
        if (y < frame_.height && (!top || y < *top)) top = y;
    }
    return top;
}

std::optional<PlayerSighting> Scene::findPlayer() const {
    const int w = frame_.width;
    const int h = frame_.height;
    auto isPlayer = [&](int x, int y) { return frame_.contains(x, y) && frame_.at(x, y) == playerColour; };

    // The body: pixels of the player's colour with the colour all around
    // them, two pixels each way. The beam's lines are too thin for that,
    // even where two of them overlap near a wall, and the body's edges are
    // blended with what lies behind it.
    int reachLeft = w;
    int reachRight = -1;
    std::vector<char> core(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (frame_.at(x, y) != playerColour) continue;
            reachLeft = std::min(reachLeft, x);
            reachRight = std::max(reachRight, x);
            bool inside = true;
            for (int dy = -2; dy <= 2 && inside; ++dy) {
                for (int dx = -2; dx <= 2 && inside; ++dx) inside = isPlayer(x + dx, y + dy);
            }
            core[static_cast<std::size_t>(y) * w + x] = inside ? 1 : 0;
        }
    }

    // The largest patch of such pixels, grown back by two pixels.
    std::optional<ScreenBox> body;
    std::size_t bodySize = 0;
    std::vector<std::pair<int, int>> stack;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (core[static_cast<std::size_t>(y) * w + x] != 1) continue;
            ScreenBox box{x, y, x + 1, y + 1};
            std::size_t size = 0;
            stack.assign(1, {x, y});
            core[static_cast<std::size_t>(y) * w + x] = 2;
            while (!stack.empty()) {
                auto [px, py] = stack.back();
                stack.pop_back();
                ++size;
                box = {std::min(box.left, px), std::min(box.top, py), std::max(box.right, px + 1),
                       std::max(box.bottom, py + 1)};
                for (auto [nx, ny] : {std::pair{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}}) {
                    if (!frame_.contains(nx, ny) || core[static_cast<std::size_t>(ny) * w + nx] != 1) continue;
                    core[static_cast<std::size_t>(ny) * w + nx] = 2;
                    stack.emplace_back(nx, ny);
                }
            }
            if (size > bodySize) {
                bodySize = size;
                body = ScreenBox{box.left - 2, box.top - 2, box.right + 2, box.bottom + 2};
            }
        }
    }
    if (!body) return std::nullopt;

    PlayerSighting seen{*body, PlayerLook::Stretched, reachLeft, reachRight + 1};
    const int reach = std::max(body->left - reachLeft, reachRight + 1 - body->right);
    // The solid box is 10 x 20 until it runs fast; the flying beam is a
    // square of the same area, with its line running far from it.
    if (body->width() >= 8 && body->width() <= 12 && body->height() >= 18 && body->height() <= 22 && reach < 3) {
        seen.look = PlayerLook::Upright;
    } else if (std::abs(body->width() - body->height()) <= 3 && body->width() >= 12 && body->width() <= 16 &&
               reach >= 30) {
        seen.look = PlayerLook::Beam;
    }
    return seen;
}

std::vector<BlockRun> Scene::blockRuns(int row) const {
    std::vector<BlockRun> runs;
    if (row < 0 || row >= frame_.height) return runs;
    for (int x = 0; x < frame_.width; ++x) {
        if (frame_.at(x, row) != blockColour) continue;
        if (!runs.empty() && runs.back().right >= x - 2) {
            // A seam between two blocks is a blended pixel or two.
            runs.back().right = x + 1;
        } else {
            runs.push_back({x, x + 1});
        }
    }
    return runs;
}

int Scene::blockHeight(int x, int row) const {
    int height = 0;
    // Seams between stacked blocks are skipped like those between blocks
    // side by side.
    for (int y = row; y >= 0; --y) {
        if (frame_.at(x, y) == blockColour) {
            height = row - y + 1;
        } else if (row - y + 1 - height > 2) {
            break;
        }
    }
    return height;
}

}  // namespace vyn::testing
