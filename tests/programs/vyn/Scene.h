// What one frame of the game's window shows of the player, the blocks and
// the ground, in screen pixels. The camera follows the player, so places
// are told relative to each other (the player against a block, on it, away
// from the wall), which holds wherever the camera is and while it shakes.
#pragma once

#include <optional>
#include <vector>

#include "tests/support/x11/Frame.h"

namespace vyn::testing {

// Pixels from left to right (exclusive) and top to bottom (exclusive).
struct ScreenBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    double centreX() const { return (left + right) / 2.0; }
};

// How the player is drawn: a box (the solid state), stretched while it runs
// fast, or a square with its line to the wall it flies to (a beam in flight).
enum class PlayerLook { Upright, Stretched, Beam };

struct PlayerSighting {
    ScreenBox body;
    PlayerLook look = PlayerLook::Upright;
    // The furthest right and left pixels of the player's colour: the ends of
    // the beam's line while it flies.
    int reachLeft = 0;
    int reachRight = 0;
};

// A run of block pixels along a row: one block or several side by side.
struct BlockRun {
    int left = 0;   // the first block pixel
    int right = 0;  // one past the last
};

class Scene {
public:
    explicit Scene(Frame frame);

    // The first row of the ground (world y = 0).
    std::optional<int> horizon() const { return horizon_; }
    const std::optional<PlayerSighting>& player() const { return player_; }

    // The runs of block pixels along a row, left to right.
    std::vector<BlockRun> blockRuns(int row) const;
    // How many rows of block pixels stand in the column from the row upwards.
    int blockHeight(int x, int row) const;

private:
    std::optional<int> findHorizon() const;
    std::optional<PlayerSighting> findPlayer() const;

    Frame frame_;
    std::optional<int> horizon_;
    std::optional<PlayerSighting> player_;
};

}  // namespace vyn::testing
