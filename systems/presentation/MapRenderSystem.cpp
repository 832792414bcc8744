#include "systems/presentation/MapRenderSystem.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>
#include <vector>

#include "base/Truncate.h"
#include "components/ItemHolderNode.h"
#include "components/ItemNode.h"
#include "geom/Point.h"
#include "views/BlockView.h"
#include "world/CellHash.h"

namespace systems {

using components::MapNode;

MapRenderSystem::MapRenderSystem(std::shared_ptr<game::EntityCreator> creator, std::shared_ptr<game::GameConfig> config,
                                 std::shared_ptr<gfx::display::DisplayObjectContainer> container)
    : container(std::move(container)), config(std::move(config)), creator(std::move(creator)) {}

void MapRenderSystem::addToEngine(ecs::core::Engine& engine) {
    maps = engine.getNodeList<MapNode>();
    cameras = engine.getNodeList<components::CameraNode>();
    for (auto* node : *maps) addToDisplay(node);
    onMapAdded_ = maps->nodeAdded.connect({this, &MapRenderSystem::addToDisplay});
    onMapRemoved_ = maps->nodeRemoved.connect({this, &MapRenderSystem::removeFromDisplay});
}

void MapRenderSystem::removeFromEngine(ecs::core::Engine&) {
    maps = nullptr;
    cameras = nullptr;
}

namespace {

void dropEnded(std::vector<base::Connection>& connections) {
    std::erase_if(connections, [](const base::Connection& connection) { return !connection.connected(); });
}

}  // namespace

void MapRenderSystem::addToDisplay(MapNode* node) {
    loadMap(node->map);
    // A map followed already moves its listener to the new connection.
    onReload_.push_back(node->map->reloadSignal->connect({this, &MapRenderSystem::loadMap}));
    onCellChange_.push_back(node->map->cellChangeSignal->connect({this, &MapRenderSystem::changeCell}));
    dropEnded(onReload_);
    dropEnded(onCellChange_);
}

void MapRenderSystem::removeFromDisplay(MapNode* node) {
    // Ends the connections to this map's signals, and those of maps gone.
    node->map->reloadSignal->remove({this, &MapRenderSystem::loadMap});
    node->map->cellChangeSignal->remove({this, &MapRenderSystem::changeCell});
    dropEnded(onReload_);
    dropEnded(onCellChange_);
    if (layer) container->removeChild(layer);
    layer = nullptr;
    layerMap_.reset();
    viewOfCell_.clear();
}

void MapRenderSystem::loadMap(const std::shared_ptr<game::GameMap>& map) {
    // A map announces itself as null only while it is being constructed.
    if (!map) return;
    if (layer) container->removeChild(layer);
    buildLayer(*map);
    layerMap_ = map;
    followShards(*map);
    container->addChild(layer);
}

void MapRenderSystem::buildLayer(const game::GameMap& map) {
    layer = std::make_shared<gfx::display::Sprite>();
    viewOfCell_.clear();
    layerBuckets_ = map.blocks->cells.bucket_count();
    map.blocks->forEachInPlace([&](const std::shared_ptr<gfx::geom::Point>& cell, const auto&) {
        auto block = std::make_shared<views::BlockView>();
        block->set_x(cellSize * cell->x);
        block->set_y(cellSize * cell->y);
        layer->addChild(block);
    });
}

void MapRenderSystem::followShards(const game::GameMap& map) {
    // The map reloads on every re-read of its file and the editor changes
    // shard cells, so the shards must follow the items layer rather than be
    // made again: an Item keeps the one entity it has, entities of Items
    // that left the layer go, and only new Items get an entity. Collected
    // shards have left the layer too but belong to their holder now, so
    // they stay.
    std::unordered_set<const components::Item*> withEntity = dropShardsNotIn(map);
    map.items->forEach([&](const std::shared_ptr<gfx::geom::Point>& cell, const auto& item) {
        if (withEntity.contains(item.get())) return;
        creator->createItem(item, gfx::geom::Point(cellSize * cell->x, cellSize * cell->y));
    });
}

void MapRenderSystem::changeCell(const std::shared_ptr<game::GameMap>& map, const game::CellChange& change) {
    if (!map) return;
    if (!layer || layerMap_.lock() != map) {
        loadMap(map);
        return;
    }
    if (change.layer == game::CellChange::Layer::items) {
        followShards(*map);
    } else if (!changeBlock(*map, change.x, change.y)) {
        loadMap(map);
        return;
    }
    container->addChild(layer);
}

bool MapRenderSystem::changeBlock(const game::GameMap& map, std::int32_t x, std::int32_t y) {
    const auto& cells = map.blocks->cells;
    // A rehash lists the cells anew; the old order says nothing of the new.
    // Short of one, adding or removing a cell leaves the others in order.
    if (cells.bucket_count() != layerBuckets_) return false;
    if (viewOfCell_.empty()) {
        // A view's place gives back its cell exactly: 50 times a whole number.
        for (int i = 0; i < layer->get_numChildren(); ++i) {
            const auto* view = static_cast<const views::BlockView*>(layer->getChildAt(i).get());
            const auto cx = base::truncate(view->get_x() / cellSize);
            const auto cy = base::truncate(view->get_y() / cellSize);
            viewOfCell_.emplace(game::CellHash::locationHash(cx, cy), view);
        }
    }
    if (!game::CellHash::isSupported(x, y)) return false;
    const std::int32_t key = game::CellHash::locationHash(x, y);
    const auto shown = viewOfCell_.find(key);
    const auto cell = cells.find(key);
    if (cell != cells.end() && shown == viewOfCell_.end()) {
        auto block = std::make_shared<views::BlockView>();
        block->set_x(cellSize * x);
        block->set_y(cellSize * y);
        layer->addChild(block);
        // The new view goes just below the view of the cell that now
        // follows it in the table (on top when it comes last).
        if (const auto next = std::next(cell); next != cells.end()) {
            const auto following = viewOfCell_.find(next->first);
            if (following == viewOfCell_.end()) return false;
            layer->setChildIndex(block, layer->getChildIndex(following->second));
        }
        viewOfCell_.emplace(key, block.get());
    } else if (cell == cells.end() && shown != viewOfCell_.end()) {
        layer->removeChildAt(layer->getChildIndex(shown->second));
        viewOfCell_.erase(shown);
    }
    // Cells changed without an announcement: only a full build can tell.
    return static_cast<std::size_t>(layer->get_numChildren()) == cells.size() && viewOfCell_.size() == cells.size();
}

std::unordered_set<const components::Item*> MapRenderSystem::dropShardsNotIn(const game::GameMap& map) {
    ecs::core::Engine& engine = creator->engine;
    std::unordered_set<const components::Item*> withEntity;
    auto shards = engine.getNodeList<ItemNode>();
    // No shard entities yet (the first load): nothing to keep or drop.
    if (shards->head == nullptr) return withEntity;

    std::unordered_set<const components::Item*> kept;
    for (const auto& [key, item] : map.items->cells) kept.insert(item.get());
    for (auto* holder : *engine.getNodeList<ItemHolderNode>()) {
        for (const auto& item : holder->player->items) kept.insert(item.get());
    }
    std::vector<std::shared_ptr<ecs::core::Entity>> stale;
    for (auto* shard : *shards) {
        if (kept.contains(shard->item.get()))
            withEntity.insert(shard->item.get());
        else
            stale.push_back(shard->entity);
    }
    for (const auto& entity : stale) creator->destroyEntity(entity);
    return withEntity;
}

void MapRenderSystem::update(double) {
    // Without a layer there is nothing to move.
    if (!cameras || cameras->head == nullptr || !layer) return;
    const auto& cam = *cameras->head->position->position;
    const auto center = config->screenCenter();
    layer->set_x(center->x - cam.x);
    layer->set_y(center->y - cam.y);
}

}  // namespace systems
