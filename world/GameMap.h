#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/Item.h"
#include "ecs/signals/Signal1.h"
#include "ecs/signals/Signal2.h"
#include "world/GameMapLayer.h"
#include "world/MapFile.h"

namespace game {

// One cell of one of the map's layers, changed by an edit.
struct CellChange {
    enum class Layer { blocks, items };
    Layer layer;
    std::int32_t x;
    std::int32_t y;
};

// A level file read and checked, ready for a map to take.
struct LevelContents {
    GameMapLayer<bool> blocks;
    GameMapLayer<bool> levelItems;
    // The shard cells as the file lists them. Their Items are made by the
    // map that takes them: an Item draws on the random source as it is made.
    MapFile::Entries items;
};

// The level component: two cell layers, the file they come from and the
// signals that announce every change of their contents. Always held by
// std::shared_ptr, since the signals carry the map itself.
class GameMap : public std::enable_shared_from_this<GameMap> {
public:
    // The level file the game plays, relative to the working directory.
    static constexpr const char* levelFile = "assets/map.json";
    // Pixels per cell, for every system that turns cells into pixels or back.
    static constexpr double cellSize = 50;

    // Read by reload, written by save.
    std::string path;
    // Dispatched after every reload: any cell may have changed.
    std::shared_ptr<ecs::signals::Signal1<std::shared_ptr<GameMap>>> reloadSignal;
    // Dispatched after an edit of one cell, with the map and the cell; the
    // rest of the map is as it was.
    std::shared_ptr<ecs::signals::Signal2<std::shared_ptr<GameMap>, CellChange>> cellChangeSignal;
    // Cells that hold a shard still to collect, each with its Item: play
    // state, which the game empties as the player collects shards.
    std::shared_ptr<GameMapLayer<components::Item>> items;
    // The level's shard cells, collected or not: what save writes.
    std::shared_ptr<GameMapLayer<bool>> levelItems;
    // Solid cells; loaded ones carry true, ones added by the editor null.
    std::shared_ptr<GameMapLayer<bool>> blocks;

    // Loads the level at once; throws as reload does.
    explicit GameMap(std::string path);
    // Takes a level read from path before (see read).
    GameMap(std::string path, LevelContents contents);

    // Reads and checks the level file at path without changing any map;
    // throws as reload does.
    [[nodiscard]] static LevelContents read(const std::string& path);

    // The editor's shard toggle: fills the cell in both items and
    // levelItems when no shard shows there (a new Item), else empties it in
    // both. Throws std::out_of_range outside the supported area.
    void toggleItem(std::int32_t x, std::int32_t y);

    // Writes the blocks and the level's shard cells to path in the exact level-file form and traces the
    // save. On failure throws std::runtime_error naming the path; the old
    // file and the layers stay as they were.
    void save();

    // Refills both layers in place from path (one new Item per item cell)
    // and dispatches reloadSignal. On any fault in the file throws
    // std::runtime_error naming the path and the problem, and leaves both
    // layers as they were.
    void reload();

private:
    // Fills the layers from contents (one new Item per shard cell, in the
    // file's order) and dispatches reloadSignal.
    void take(LevelContents contents);
};

}  // namespace game
