#include "views/PlayerView.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "display/Graphics.h"
#include "geom/GeomUtils.h"
#include "views/Palette.h"

namespace views {

namespace {

constexpr int playerColor = palette::player;
// Future flight targets this far from the first target or further are not
// drawn, nor any after them.
constexpr double beamLineReach = 500;

}  // namespace

PlayerView::PlayerView(std::shared_ptr<gfx::geom::Rectangle> rect, std::shared_ptr<components::Position> pos,
                       std::shared_ptr<components::Beam> beam)
    : beam(std::move(beam)), pos(std::move(pos)), rect(std::move(rect)) {}

double PlayerView::stretch() const {
    if (beam->isFlying) return std::sqrt(rect->height / rect->width);
    return std::max(std::abs(pos->velocity->x) - 750, 0.0) * 0.005 + 1;
}

std::shared_ptr<gfx::geom::Rectangle> PlayerView::bodyBox() const {
    double s = stretch();
    // Keeps the centre and the area: s times as wide, 1/s times as high.
    auto body = game::GeomUtils::scaleRect(*rect, gfx::geom::Point(s, 1 / s));
    if (body->height < 2) body->height = 2;
    return body;
}

void PlayerView::animate(double) {
    auto graphics = get_graphics();
    graphics->clear();
    auto body = bodyBox();
    graphics->beginFill(playerColor);
    graphics->drawRect(body->x, body->y, body->width, body->height);
    graphics->endFill();
    if (beam->isFlying) drawBeamLine();
}

void PlayerView::drawBeamLine() {
    // The beam system sets a target before the first flight starts.
    if (!beam->targetPosition) return;
    auto graphics = get_graphics();
    graphics->lineStyle(2, playerColor, 1, true);
    graphics->moveTo(0, 0);
    auto t = beam->targetPosition->subtract(*pos->position);
    graphics->lineTo(t->x, t->y);
    if (!beam->futureTargetPositions) return;
    for (const auto& f : *beam->futureTargetPositions) {
        auto q = f->subtract(*pos->position);
        // Every later point is measured from the first target.
        if (!(gfx::geom::Point::distance(*t, *q) < beamLineReach)) break;
        graphics->lineTo(q->x, q->y);
    }
}

}  // namespace views
