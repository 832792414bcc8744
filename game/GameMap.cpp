#include "game/GameMap.h"

#include <stdexcept>
#include <utility>

#include "base/Trace.h"
#include "game/MapFile.h"

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

GameMap::GameMap(std::string path)
    : path(std::move(path)), reloadSignal(std::make_shared<ecs::signals::Signal1<std::shared_ptr<GameMap>>>()) {
    blocks = std::make_shared<GameMapLayer<bool>>();
    items = std::make_shared<GameMapLayer<components::Item>>();
    levelItems = std::make_shared<GameMapLayer<bool>>();
    reload();
}

void GameMap::toggleItem(std::int32_t x, std::int32_t y) {
    const bool fill = !items->isFilled(x, y);
    items->setFilled(x, y, fill, fill ? std::make_shared<components::Item>(1) : nullptr);
    levelItems->setFilled(x, y, fill, fill ? std::make_shared<bool>(true) : nullptr);
}

void GameMap::save() {
    MapFile::write(path, MapFile::format(blocks->toArray(), levelItems->toArray()));
    base::trace("GameMap", 48, "saved map to", path);
}

void GameMap::reload() {
    // Both layers are built aside first, so a fault leaves the map whole.
    GameMapLayer<bool> loadedBlocks;
    GameMapLayer<components::Item> loadedItems;
    GameMapLayer<bool> loadedLevelItems;
    {
        // The file's cells go before the map is announced: listeners build
        // views of every cell, and need not find the file's copy beside them.
        const MapFile::Contents contents = MapFile::read(path);
        // Every loaded cell carries the same true: nothing changes a cell's
        // value, and a level may have a hundred thousand cells.
        const auto filled = std::make_shared<bool>(true);
        loadLayer(
            loadedBlocks, contents.blocks, [&filled] { return filled; }, path, "blocks");
        loadLayer(
            loadedItems, contents.items, [] { return std::make_shared<components::Item>(1); }, path, "items");
        loadedLevelItems.loadArray(contents.items, [&filled] { return filled; });
    }
    blocks->cells = std::move(loadedBlocks.cells);
    items->cells = std::move(loadedItems.cells);
    levelItems->cells = std::move(loadedLevelItems.cells);

    // During construction no one can listen yet and the map has no owner.
    reloadSignal->dispatch(weak_from_this().lock());
}

}  // namespace game
