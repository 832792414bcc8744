#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/Connection.h"
#include "components/CameraNode.h"
#include "components/Item.h"
#include "creator/EntityCreator.h"
#include "creator/GameConfig.h"
#include "display/DisplayObjectContainer.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "views/BlockView.h"
#include "world/GameMap.h"
#include "world/MapNode.h"

namespace systems {

// Draws the level: one layer sprite holding a block view per solid cell,
// moved with the camera as a whole, and one shard entity per shard cell.
// A reload of the map rebuilds the layer and brings the shard entities in
// line with the map's shard cells; an edit of one cell changes only what
// shows that cell.
//
// The layer lists the views in the order the blocks layer's table lists its
// cells, on a full build and after any edit, so that an edited layer draws
// what a fresh build of the same map draws. The module fills the views of
// one colour drawn one after another as one shape, so neighbouring cells
// show no seam between them (see runtime/common/FillRun.h).
class MapRenderSystem : public ecs::core::System {
public:
    static constexpr double cellSize = game::GameMap::cellSize;

    // The current cell layer; null before the first map and after the map
    // node has gone.
    std::shared_ptr<gfx::display::Sprite> layer;
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;
    std::shared_ptr<ecs::core::NodeList<components::MapNode>> maps;
    // The world layer; parent of `layer`.
    std::shared_ptr<gfx::display::DisplayObjectContainer> container;
    std::shared_ptr<game::GameConfig> config;
    std::shared_ptr<game::EntityCreator> creator;

    MapRenderSystem(std::shared_ptr<game::EntityCreator> creator, std::shared_ptr<game::GameConfig> config,
                    std::shared_ptr<gfx::display::DisplayObjectContainer> container);

    // Moves the layer with the camera; time is not used.
    void update(double time) override;
    // Lets go of the lists; the layer stays and the map still reaches this
    // system through its reload signal.
    void removeFromEngine(ecs::core::Engine& engine) override;
    // Takes the lists, loads the maps already there and follows the map list.
    void addToEngine(ecs::core::Engine& engine) override;

    // Stops following the map and takes its layer off the world layer.
    virtual void removeFromDisplay(components::MapNode* node);
    // Loads the map and follows its reloads.
    virtual void addToDisplay(components::MapNode* node);
    // Replaces the layer with a new one built from the map's cells, and
    // creates a shard entity for every shard cell whose Item has none yet.
    virtual void loadMap(const std::shared_ptr<game::GameMap>& map);
    // Follows the edit of one cell: a block cell's view comes or goes, a
    // shard cell's entity is made or dropped. The layer ends on top of the
    // world layer, as after a reload.
    virtual void changeCell(const std::shared_ptr<game::GameMap>& map, const game::CellChange& change);

private:
    // A new layer (not yet shown) with a view per block cell of the map.
    void buildLayer(const game::GameMap& map);
    // Adds or removes the view of block cell (x, y) so that the layer again
    // lists the map's block cells in table order. False when the layer cannot
    // be brought there cell by cell: it was built from another map, or the
    // table rehashed and so reordered its cells.
    bool changeBlock(const game::GameMap& map, std::int32_t x, std::int32_t y);
    // Creates a shard entity for every shard cell whose Item has none, and
    // drops those of Items gone from the map (see dropShardsNotIn).
    void followShards(const game::GameMap& map);
    // Destroys the shard entities whose Item is neither in the map's items
    // layer nor held by a player; returns the Items whose entity stays.
    std::unordered_set<const components::Item*> dropShardsNotIn(const game::GameMap& map);

    // This system on the signals of the map list and on the reload signal
    // of every map it follows; each of them may outlive the system.
    base::Connection onMapAdded_;
    base::Connection onMapRemoved_;
    std::vector<base::Connection> onReload_;
    std::vector<base::Connection> onCellChange_;

    // The map the layer shows, and its blocks table's bucket count when the
    // layer last listed the cells in the table's order.
    std::weak_ptr<const game::GameMap> layerMap_;
    std::size_t layerBuckets_ = 0;
    // The layer's view of each block cell, by cell key; made on the first
    // edit of a layer (a game that is not edited never needs it).
    std::unordered_map<std::int32_t, const views::BlockView*> viewOfCell_;
};

}  // namespace systems
