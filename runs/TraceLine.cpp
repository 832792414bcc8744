#include "runs/TraceLine.h"

#include "components/Camera.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/Player.h"
#include "components/Position.h"
#include "runs/JsonLine.h"
#include "systems/presentation/HUDSystem.h"
#include "systems/rules/RewindSystem.h"

namespace runs {

std::string traceLine(int tick, const game::Game& game) {
    const ecs::core::Engine& engine = *game.engine;
    JsonLine line;
    line.integer("tick", tick);

    // The player, with the defaults of a new player where something is missing.
    components::Position playerPosition(0, 0, 0);
    std::string state = "solid";
    bool onGround = false;
    long long items = 0;
    if (auto player = game.firstWith<components::Player>()) {
        auto record = player->get<components::Player>();
        if (auto position = player->get<components::Position>()) playerPosition.copyFrom(*position);
        if (record->state) state = *record->state;
        if (record->jump) onGround = record->jump->isOnGround;
        items = static_cast<long long>(record->items.size());
    }
    line.open("player");
    line.number("x", playerPosition.position->x);
    line.number("y", playerPosition.position->y);
    line.number("vx", playerPosition.velocity->x);
    line.number("vy", playerPosition.velocity->y);
    line.string("state", state);
    line.boolean("onGround", onGround);
    line.integer("items", items);
    line.close();

    components::Moon moon;
    double moonY = 0;
    if (auto entity = game.firstWith<components::Moon>()) {
        moon = *entity->get<components::Moon>();
        if (auto position = entity->get<components::Position>()) moonY = position->position->y;
    }
    line.open("moon");
    line.number("clock", moon.animationTime);
    line.number("y", moonY);
    line.boolean("falling", moon.isFalling);
    line.close();

    components::Camera camera;
    double cameraX = 0;
    double cameraY = 0;
    if (auto entity = game.firstWith<components::Camera>()) {
        camera = *entity->get<components::Camera>();
        if (auto position = entity->get<components::Position>()) {
            cameraX = position->position->x;
            cameraY = position->position->y;
        }
    }
    line.open("camera");
    line.number("x", cameraX);
    line.number("y", cameraY);
    line.number("shake", camera.shake);
    line.close();

    line.boolean("paused", game.isPaused());

    std::string time;
    std::string message;
    if (auto hud = engine.getSystem<systems::HUDSystem>()) {
        time = hud->timeView->get_text();
        message = hud->messageView->get_text();
    }
    line.open("hud");
    line.string("time", time);
    line.string("message", message);
    line.close();

    long long records = 0;
    if (auto rewind = engine.getSystem<systems::RewindSystem>())
        records = static_cast<long long>(rewind->records.size());
    line.integer("records", records);

    long long entities = 0;
    for (const auto& entity : engine.get_entities()) {
        (void)entity;
        ++entities;
    }
    line.integer("entities", entities);
    return line.finish();
}

}  // namespace runs
