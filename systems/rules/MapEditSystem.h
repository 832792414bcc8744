#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "components/CameraNode.h"
#include "creator/GameConfig.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "input/KeyPoll.h"
#include "input/Keys.h"
#include "world/GameMap.h"
#include "world/MapNode.h"

namespace systems {

// The level editor. While it is in an engine, a left click toggles the
// solid cell under the pointer, a right click toggles a shard there, key R
// reloads the level file and key O saves it. Every edit is announced on the
// map's cellChangeSignal, naming the cell, so that the map's picture follows
// at once (a reload announces itself on reloadSignal). It works from input
// events only; its update does nothing. The game does not add it.
class MapEditSystem : public ecs::core::System {
public:
    static constexpr double cellSize = game::GameMap::cellSize;
    static constexpr int reloadKey = game::keys::R;
    static constexpr int saveKey = game::keys::O;

    // The first camera gives the view's position. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;
    // The first map is edited. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::MapNode>> maps;
    // Its display object delivers the mouse and key events.
    std::shared_ptr<game::KeyPoll> keyPoll;
    std::shared_ptr<game::GameConfig> config;

    MapEditSystem(std::shared_ptr<game::GameConfig> config, std::shared_ptr<game::KeyPoll> keyPoll);

    MapEditSystem(const MapEditSystem&) = delete;
    MapEditSystem& operator=(const MapEditSystem&) = delete;

    void update(double time) override;
    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    // "mouseDown" toggles a block, "rightMouseDown" a shard, in the cell
    // under the pointer; both trace the cell and dispatch cellChangeSignal.
    // A cell the map cannot store is traced and left alone.
    virtual void didClick(const gfx::events::EventPtr& event);
    // R reloads, O saves. A file that cannot be read or written is
    // reported in a trace line and the map in memory stays as it was, so
    // no edit is lost.
    virtual void didPressKey(const gfx::events::EventPtr& event);

    // The cell under a stage point, seen from a camera at cameraPosition
    // on a play area of config's size.
    std::pair<std::int32_t, std::int32_t> cellAt(double stageX, double stageY,
                                                 const gfx::geom::Point& cameraPosition) const;

private:
    void stopListening();

    // The mouse and key listeners on the key poller's display object, while
    // the system is in an engine (or until it is destroyed).
    base::Connection onMouseDown_;
    base::Connection onRightMouseDown_;
    base::Connection onKeyDown_;
};

}  // namespace systems
