#include "systems/MapRenderSystem.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "display/geom/Point.h"
#include "systems/ItemHolderNode.h"
#include "systems/ItemNode.h"
#include "views/BlockView.h"

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

void MapRenderSystem::addToDisplay(MapNode* node) {
    loadMap(node->map);
    // A map followed already moves its listener to the new connection.
    onReload_.push_back(node->map->reloadSignal->connect({this, &MapRenderSystem::loadMap}));
    std::erase_if(onReload_, [](const base::Connection& reload) { return !reload.connected(); });
}

void MapRenderSystem::removeFromDisplay(MapNode* node) {
    // Ends the connection to this map's reloads, and those of maps gone.
    node->map->reloadSignal->remove({this, &MapRenderSystem::loadMap});
    std::erase_if(onReload_, [](const base::Connection& reload) { return !reload.connected(); });
    if (layer) container->removeChild(layer);
    layer = nullptr;
}

void MapRenderSystem::loadMap(const std::shared_ptr<game::GameMap>& map) {
    // A map announces itself as null only while it is being constructed.
    if (!map) return;
    if (layer) container->removeChild(layer);
    layer = std::make_shared<gfx::display::Sprite>();
    map->blocks->forEachInPlace([&](const std::shared_ptr<gfx::geom::Point>& cell, const auto&) {
        auto block = std::make_shared<views::BlockView>();
        block->set_x(cellSize * cell->x);
        block->set_y(cellSize * cell->y);
        layer->addChild(block);
    });
    // The map reloads on every edit and every re-read of its file, so the
    // shards must follow the items layer rather than be made again: an Item
    // keeps the one entity it has, entities of Items that left the layer go,
    // and only new Items get an entity. Collected shards have left the layer
    // too but belong to their holder now, so they stay.
    std::unordered_set<const components::Item*> withEntity = dropShardsNotIn(*map);
    map->items->forEach([&](const std::shared_ptr<gfx::geom::Point>& cell, const auto& item) {
        if (withEntity.contains(item.get())) return;
        creator->createItem(item, gfx::geom::Point(cellSize * cell->x, cellSize * cell->y));
    });
    container->addChild(layer);
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
