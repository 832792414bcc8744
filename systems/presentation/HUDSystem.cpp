#include "systems/presentation/HUDSystem.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "base/Truncate.h"
#include "views/Label.h"
#include "views/Palette.h"
#include "views/SourceSansProLight.h"

namespace systems {

HUDSystem::HUDSystem(const std::shared_ptr<game::GameConfig>& config,
                     std::shared_ptr<gfx::display::DisplayObjectContainer> container,
                     std::shared_ptr<PauseSignal> pauseSignal) {
    timer = 0;
    isPaused = false;
    whiteTextFormat = makeTextFormat(views::palette::text);
    redTextFormat = makeTextFormat(views::palette::late);

    timeView = views::makeLabel(whiteTextFormat);
    timeView->set_x(25);
    timeView->set_y(25);

    messageView = views::makeLabel(whiteTextFormat);
    messageView->set_height(80);
    messageView->set_width(config->width - 50);
    messageView->set_x(25);
    messageView->set_y(config->height - 25 - 80);

    this->container = std::move(container);
    this->pauseSignal = std::move(pauseSignal);
    if (this->pauseSignal) onPause_ = this->pauseSignal->connect({this, &HUDSystem::onPause});
}

void HUDSystem::onPause(bool paused) { isPaused = paused; }

std::shared_ptr<gfx::text::TextFormat> HUDSystem::makeTextFormat(int color) {
    return std::make_shared<gfx::text::TextFormat>(views::SourceSansProLight::family, 60, color);
}

void HUDSystem::addToEngine(ecs::core::Engine& engine) {
    System::addToEngine(engine);
    moons = engine.getNodeList<components::MoonNode>();
    container->addChild(timeView);
    container->addChild(messageView);
}

void HUDSystem::removeFromEngine(ecs::core::Engine& engine) {
    container->removeChild(messageView);
    container->removeChild(timeView);
    moons = nullptr;
    System::removeFromEngine(engine);
}

std::string HUDSystem::messageFor(double timer, bool moonIsFalling) {
    if (timer < 3) return "...the moon is falling";
    if (timer < 6) return "collect the shards and save the world.";
    if (timer < 10) return "controls: a w d";
    return moonIsFalling ? "" : "VICTORY";
}

double HUDSystem::remainingTime(double moonAnimationTime) {
    return base::truncate(std::floor((10 - moonAnimationTime) * 10 + 0.5)) * 0.1;
}

std::string HUDSystem::countdownText(double remaining) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", remaining);
    std::string s = buffer;
    if (s.size() < 2 || s[s.size() - 2] != '.') s += ".0";
    const std::size_t keep = s.front() == '-' ? 4 : 3;
    if (s.size() > keep) s.resize(keep);
    return s;
}

void HUDSystem::update(double time) {
    if (!moons || moons->head == nullptr) return;
    const auto& moon = *moons->head->moon;
    timer += time;

    const std::string message = messageFor(timer, moon.isFalling);
    if (messageView->get_text() != message) messageView->set_text(message);

    // The countdown changes every tenth of a second, not every update. Its
    // colour goes with its sign, which the text shows, so an unchanged text
    // needs no new format either.
    const double r = remainingTime(moon.animationTime);
    const std::string countdown = countdownText(r);
    if (timeView->get_text() == countdown) return;
    timeView->set_defaultTextFormat(r < 0 ? redTextFormat : whiteTextFormat);
    timeView->set_text(countdown);
}

}  // namespace systems
