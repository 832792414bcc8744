#include "runs/TraceLine.h"

#include <cmath>
#include <cstdio>

#include "components/Camera.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/Player.h"
#include "components/Position.h"
#include "systems/presentation/HUDSystem.h"
#include "systems/rules/RewindSystem.h"

namespace runs {

namespace {

class JsonLine {
public:
    void key(const char* name) {
        if (needComma_) text_ += ',';
        text_ += '"';
        text_ += name;
        text_ += "\":";
        needComma_ = false;
    }
    void open(const char* name) {
        key(name);
        text_ += '{';
    }
    void close() {
        text_ += '}';
        needComma_ = true;
    }
    void number(const char* name, double value) {
        key(name);
        if (std::isfinite(value)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.17g", value);
            text_ += buffer;
        } else {
            text_ += "null";  // JSON has no infinities or NaN
        }
        needComma_ = true;
    }
    void integer(const char* name, long long value) {
        key(name);
        text_ += std::to_string(value);
        needComma_ = true;
    }
    void boolean(const char* name, bool value) {
        key(name);
        text_ += value ? "true" : "false";
        needComma_ = true;
    }
    void string(const char* name, const std::string& value) {
        key(name);
        text_ += '"';
        for (unsigned char c : value) {
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += static_cast<char>(c);
            } else if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                text_ += buffer;
            } else {
                text_ += static_cast<char>(c);
            }
        }
        text_ += '"';
        needComma_ = true;
    }
    // The whole object, closed.
    std::string finish() {
        text_ += '}';
        return std::move(text_);
    }

private:
    std::string text_ = "{";
    bool needComma_ = false;
};

// The first entity carrying a component of class C, with that component.
template <class C>
std::shared_ptr<ecs::core::Entity> firstWith(const ecs::core::Engine& engine) {
    for (const auto& entity : engine.get_entities()) {
        if (entity->get<C>()) return entity;
    }
    return nullptr;
}

}  // namespace

std::string traceLine(int tick, const game::Game& game) {
    const ecs::core::Engine& engine = *game.engine;
    JsonLine line;
    line.integer("tick", tick);

    // The player, with the defaults of a new player where something is missing.
    components::Position playerPosition(0, 0, 0);
    std::string state = "solid";
    bool onGround = false;
    long long items = 0;
    if (auto player = firstWith<components::Player>(engine)) {
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
    if (auto entity = firstWith<components::Moon>(engine)) {
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
    if (auto entity = firstWith<components::Camera>(engine)) {
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
