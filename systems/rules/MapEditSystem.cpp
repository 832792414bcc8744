#include "systems/rules/MapEditSystem.h"

#include <cmath>
#include <exception>
#include <string>
#include <utility>

#include "base/Trace.h"
#include "base/Truncate.h"
#include "components/Item.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"

namespace systems {

using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

MapEditSystem::MapEditSystem(std::shared_ptr<game::GameConfig> config, std::shared_ptr<game::KeyPoll> keyPoll)
    : keyPoll(std::move(keyPoll)), config(std::move(config)) {}

void MapEditSystem::update(double) {}

void MapEditSystem::addToEngine(ecs::core::Engine& engine) {
    maps = engine.getNodeList<components::MapNode>();
    cameras = engine.getNodeList<components::CameraNode>();
    stopListening();
    if (auto object = keyPoll->dispObj.lock()) {
        onMouseDown_ = object->connectEventListener(MouseEvent::MOUSE_DOWN, {this, &MapEditSystem::didClick});
        onRightMouseDown_ =
            object->connectEventListener(MouseEvent::RIGHT_MOUSE_DOWN, {this, &MapEditSystem::didClick});
        onKeyDown_ = object->connectEventListener(KeyboardEvent::KEY_DOWN, {this, &MapEditSystem::didPressKey});
    }
}

void MapEditSystem::removeFromEngine(ecs::core::Engine&) {
    maps = nullptr;
    cameras = nullptr;
    stopListening();
}

void MapEditSystem::stopListening() {
    onMouseDown_.disconnect();
    onRightMouseDown_.disconnect();
    onKeyDown_.disconnect();
}

std::pair<std::int32_t, std::int32_t> MapEditSystem::cellAt(double stageX, double stageY,
                                                            const gfx::geom::Point& cameraPosition) const {
    // The camera's position is drawn at the middle of the play area.
    const auto center = config->screenCenter();
    const double wx = stageX - (center->x - cameraPosition.x);
    const double wy = stageY - (center->y - cameraPosition.y);
    return {base::truncate(std::floor(wx / cellSize)), base::truncate(std::floor(wy / cellSize))};
}

void MapEditSystem::didClick(const gfx::events::EventPtr& event) {
    if (maps == nullptr || cameras == nullptr || maps->head == nullptr || cameras->head == nullptr) return;
    const auto* mouse = dynamic_cast<const MouseEvent*>(event.get());
    if (mouse == nullptr) return;
    const auto map = maps->head->map;
    const auto [cx, cy] = cellAt(mouse->stageX, mouse->stageY, *cameras->head->position->position);
// GCC 12 with optimisation reports an overlapping copy inside the standard
// library's string concatenation (a known false positive of -Wrestrict).
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
    base::trace("MapEditSystem", 73, "[" + std::to_string(cx) + "," + std::to_string(cy) + "]");
#pragma GCC diagnostic pop

    // The layers key cells by a hash that only covers a bounded area;
    // a cell beyond it could not be stored or saved.
    if (!game::CellHash::isSupported(cx, cy)) {
        VYN_TRACE("cell outside the map's area, not edited");
        return;
    }
    game::CellChange change{game::CellChange::Layer::blocks, cx, cy};
    if (mouse->type == MouseEvent::MOUSE_DOWN) {
        map->blocks->toggleFilled(cx, cy);
    } else if (mouse->type == MouseEvent::RIGHT_MOUSE_DOWN) {
        map->toggleItem(cx, cy);
        change.layer = game::CellChange::Layer::items;
    }
    // Only this cell changed: its listeners redraw it alone.
    map->cellChangeSignal->dispatch(map, change);
}

void MapEditSystem::didPressKey(const gfx::events::EventPtr& event) {
    if (maps == nullptr || maps->head == nullptr) return;
    const auto* key = dynamic_cast<const KeyboardEvent*>(event.get());
    if (key == nullptr) return;
    const auto map = maps->head->map;
    try {
        if (key->keyCode == reloadKey) {
            map->reload();
        } else if (key->keyCode == saveKey) {
            map->save();
        }
    } catch (const std::exception& error) {
        // The map keeps its layers on either failure: report and go on
        // editing rather than end the program with unsaved edits.
        VYN_TRACE(error.what());
    }
}

}  // namespace systems
