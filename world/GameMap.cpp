#include "world/GameMap.h"

#include <stdexcept>
#include <utility>

#include "base/FileWriter.h"
#include "base/Trace.h"
#include "world/MapFile.h"

namespace game {

namespace {

// Fills layer from entries, turning an unsupported cell into an error that
// names the file and the key.
template <typename T, typename MakeValue>
void loadLayer(GameMapLayer<T>& layer, const MapFile::Entries& entries, const MakeValue& makeValue,
               const std::string& path, const char* key) {
    try {
        layer.loadArray(entries, makeValue);
    } catch (const std::out_of_range& error) {
        throw std::runtime_error(path + ": \"" + key + "\" " + error.what());
    }
}

}  // namespace

GameMap::GameMap(std::string path) : GameMap(path, read(path)) {}

GameMap::GameMap(std::string path, LevelContents contents)
    : path(std::move(path)),
      reloadSignal(std::make_shared<ecs::signals::Signal1<std::shared_ptr<GameMap>>>()),
      cellChangeSignal(std::make_shared<ecs::signals::Signal2<std::shared_ptr<GameMap>, CellChange>>()) {
    blocks = std::make_shared<GameMapLayer<bool>>();
    items = std::make_shared<GameMapLayer<components::Item>>();
    levelItems = std::make_shared<GameMapLayer<bool>>();
    take(std::move(contents));
}

void GameMap::toggleItem(std::int32_t x, std::int32_t y) {
    const bool fill = !items->isFilled(x, y);
    items->setFilled(x, y, fill, fill ? std::make_shared<components::Item>(1) : nullptr);
    levelItems->setFilled(x, y, fill, fill ? std::make_shared<bool>(true) : nullptr);
}

void GameMap::save() {
    base::writeWholeFile(path, MapFile::format(blocks->toArray(), levelItems->toArray()));
    base::trace("GameMap", 48, "saved map to", path);
}

LevelContents GameMap::read(const std::string& path) {
    // The file's entries go when this returns, before the map is announced:
    // listeners build views of every cell and need not find the file's copy
    // beside them.
    MapFile::Contents file = MapFile::read(path);
    LevelContents contents;
    // Every loaded cell carries the same true: nothing changes a cell's
    // value, and a level may have a hundred thousand cells.
    const auto filled = std::make_shared<bool>(true);
    loadLayer(
        contents.blocks, file.blocks, [&filled] { return filled; }, path, "blocks");
    // Checks the shard cells as well; a fault names the "items" key.
    loadLayer(
        contents.levelItems, file.items, [&filled] { return filled; }, path, "items");
    contents.items = std::move(file.items);
    return contents;
}

void GameMap::reload() {
    // Read whole first, so a fault leaves the map as it was.
    take(read(path));
}

void GameMap::take(LevelContents contents) {
    GameMapLayer<components::Item> loadedItems;
    loadedItems.loadArray(contents.items, [] { return std::make_shared<components::Item>(1); });
    blocks->cells = std::move(contents.blocks.cells);
    items->cells = std::move(loadedItems.cells);
    levelItems->cells = std::move(contents.levelItems.cells);

    // During construction no one can listen yet and the map has no owner.
    reloadSignal->dispatch(weak_from_this().lock());
}

}  // namespace game
