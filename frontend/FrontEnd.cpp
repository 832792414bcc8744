#include "frontend/FrontEnd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "components/Camera.h"
#include "components/Position.h"
#include "creator/GameConfig.h"
#include "display/Graphics.h"
#include "display/Lib.h"
#include "display/Stage.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "display/text/Font.h"
#include "display/text/TextFormat.h"
#include "ecs_tick/ITickProvider.h"
#include "input/Keys.h"
#include "views/Label.h"
#include "views/MoonView.h"
#include "views/Palette.h"
#include "views/SourceSansProLight.h"

namespace frontend {

namespace {

using gfx::events::Event;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

constexpr const char* controlsText = "A D run    W jump    Shift rewind    Esc pause    R restart";
constexpr const char* gameOverText = "R restart    Esc pause";

// How much a panel darkens the game under it.
constexpr double pauseDim = 0.6;
constexpr double victoryDim = 0.35;

std::string onOff(bool value) { return value ? "on" : "off"; }

// A record as the title and the victory panel show it after a level's name.
std::string recordText(const RecordSummary& record) {
    if (!record.bestUpdates) return "";
    std::string text = "  ·  " + runTimeText(*record.bestUpdates);
    if (record.checking) return text;
    if (!record.verified) return text + " (not verified)";
    if (!record.medal.empty()) text += "  " + record.medal;
    return text;
}

// The player's box as a ghost: translucent, of the player's colour, its
// centre where the player's is.
std::shared_ptr<gfx::display::Shape> makeGhost() {
    auto ghost = std::make_shared<gfx::display::Shape>();
    auto graphics = ghost->get_graphics();
    graphics->beginFill(views::palette::player, 0.35);
    graphics->drawRect(-5, -10, 10, 20);
    graphics->endFill();
    return ghost;
}

// A flying beam is a square of the box's area: √2 as wide, 1/√2 as high.
const double beamScale = std::sqrt(2.0);

void removeAll(gfx::display::DisplayObjectContainer& container) {
    while (container.get_numChildren() > 0) container.removeChildAt(0);
}

std::shared_ptr<gfx::text::TextField> hintLabel(double width, int color) {
    auto field = views::makeLabel(std::make_shared<gfx::text::TextFormat>(views::SourceSansProLight::family, 26, color,
                                                                          std::nullopt, std::nullopt, std::nullopt,
                                                                          std::nullopt, std::nullopt, "center"));
    field->set_width(width);
    field->set_height(40);
    return field;
}

}  // namespace

const char* nameOf(Screen screen) {
    switch (screen) {
        case Screen::title:
            return "title";
        case Screen::settings:
            return "settings";
        case Screen::playing:
            return "playing";
        case Screen::paused:
            return "paused";
        case Screen::won:
            return "won";
    }
    return "";
}

FrontEnd::FrontEnd(Setup setup) : DocumentClass(game::GameMap::levelFile), setup_(std::move(setup)) {}

FrontEnd::~FrontEnd() {
    connections_.clear();
    gameCues_.disconnect();
    endGame();
}

void FrontEnd::begin() {
    // The screens speak in the game's font, before any game has registered it.
    gfx::text::Font::registerFont<views::SourceSansProLight>();
    auto* stage = get_stage();
    const double width = stage->get_stageWidth();
    const double height = stage->get_stageHeight();
    gameLayer_ = std::make_shared<gfx::display::Sprite>();
    addChild(gameLayer_);
    controls_ = hintLabel(width, views::palette::text);
    controls_->set_y(height - 150);
    controls_->set_text(controlsText);
    gameOverHint_ = hintLabel(width, 0x000000);
    gameOverHint_->set_y(height * 0.5 + 50);
    gameOverHint_->set_text(gameOverText);
    ghostLayer_ = std::make_shared<gfx::display::Sprite>();
    addChild(ghostLayer_);
    ghost_ = makeGhost();
    hintLayer_ = std::make_shared<gfx::display::Sprite>();
    addChild(hintLayer_);
    panelLayer_ = std::make_shared<gfx::display::Sprite>();
    addChild(panelLayer_);

    connections_.push_back(stage->connectEventListener(KeyboardEvent::KEY_DOWN, {this, &FrontEnd::onKeyDown}));
    connections_.push_back(stage->connectEventListener(MouseEvent::MOUSE_MOVE, {this, &FrontEnd::onMouseMove}));
    connections_.push_back(stage->connectEventListener(MouseEvent::CLICK, {this, &FrontEnd::onClick}));
    connections_.push_back(stage->connectEventListener(Event::DEACTIVATE, {this, &FrontEnd::onDeactivate}));
    connections_.push_back(stage->connectEventListener(Event::FULL_SCREEN, {this, &FrontEnd::onFullScreen}));
    // On this sprite: after the game's update of the frame, which listens
    // on the game's layer below it.
    connections_.push_back(connectEventListener(Event::ENTER_FRAME, {this, &FrontEnd::onFrame}));

    applySettings();
    if (setup_.firstLevel) {
        entry_ = setup_.catalog.find(setup_.firstLevel->path());
        levelName_ =
            entry_ ? setup_.catalog.entries()[*entry_].name : LevelCatalog::readableName(setup_.firstLevel->path());
        playLevel(*setup_.firstLevel);
    } else {
        showTitle();
    }
}

void FrontEnd::clearPanel() {
    removeAll(*panelLayer_);
    panelLayer_->get_graphics()->clear();
    menu_.reset();
    items_.clear();
}

void FrontEnd::showPanel(Screen screen, MenuView::Content content, std::vector<Item> items, double dim) {
    clearPanel();
    screen_ = screen;
    auto* stage = get_stage();
    const double width = stage->get_stageWidth();
    const double height = stage->get_stageHeight();
    if (dim > 0) {
        auto graphics = panelLayer_->get_graphics();
        graphics->beginFill(0x000000, dim);
        graphics->drawRect(0, 0, width, height);
        graphics->endFill();
    }
    for (const auto& item : items) content.items.push_back(item.text);
    items_ = std::move(items);
    menu_ = std::make_shared<MenuView>(std::move(content), width, height);
    panelLayer_->addChild(menu_);
}

void FrontEnd::showTitle(std::size_t selected) {
    gameCues_.disconnect();
    endGame();
    // Left from the pause panel: the screens are heard again.
    if (setup_.sound != nullptr) setup_.sound->pause(false);
    removeAll(*gameLayer_);
    // The lines over a game (the controls, the game over's keys) and the
    // ghost go with it.
    removeAll(*hintLayer_);
    removeAll(*ghostLayer_);
    std::vector<Item> items;
    const auto& entries = setup_.catalog.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) items.push_back({titleLine(i), Action::play, i});
    items.push_back({"Settings", Action::settings});
    items.push_back({"Quit", Action::quit});
    showPanel(Screen::title, {"VYN", {"bring the four shards home before the moon falls"}, {}, 120}, std::move(items),
              0);
    // The moon over the title, as it hangs over the game at its start.
    auto moon = std::make_shared<views::MoonView>();
    auto* stage = get_stage();
    moon->set_x(stage->get_stageWidth() - 120.0);
    moon->set_y(-210);
    panelLayer_->addChild(moon);
    panelLayer_->setChildIndex(moon, 0);
    menu_->select(selected);
}

std::string FrontEnd::titleLine(std::size_t entry) {
    const auto& level = setup_.catalog.entries()[entry];
    if (setup_.progress == nullptr) return level.name;
    const std::string& id = levelId(level.path);
    if (id.empty()) return level.name;
    return level.name + recordText(setup_.progress->record(id));
}

const std::string& FrontEnd::levelId(const std::filesystem::path& file) {
    auto id = levelIds_.find(file);
    if (id == levelIds_.end()) {
        std::string found;
        try {
            found = game::Level(file.string()).id();
        } catch (const std::exception&) {
            // Its problem shows when it is chosen.
        }
        id = levelIds_.emplace(file, found).first;
    }
    return id->second;
}

void FrontEnd::showSettings(std::size_t selected) {
    std::vector<Item> items{
        {"Fullscreen: " + onOff(setup_.settings.fullscreen), Action::fullscreen},
        {"Fit the window: " + onOff(setup_.settings.fitWindow), Action::fit},
        {"Ghost: " + onOff(setup_.settings.ghost), Action::ghost},
        {"Effects volume: " + std::to_string(setup_.settings.effectsVolume) + " %", Action::effectsVolume},
        {"Ambience volume: " + std::to_string(setup_.settings.ambienceVolume) + " %", Action::ambienceVolume},
        {"Sound: " + onOff(!silent()), Action::sound},
        {"Back", Action::back},
    };
    showPanel(Screen::settings,
              {"Settings", {"F11 or Alt+Enter also switch fullscreen; M the sound; Left and Right the volumes"}, {}},
              std::move(items), 0);
    menu_->select(selected);
}

void FrontEnd::play(std::size_t entry) {
    const auto& chosen = setup_.catalog.entries()[entry];
    std::optional<game::Level> level;
    try {
        level = game::Level::readToKeep(chosen.path.string());
    } catch (const std::exception& problem) {
        // The title stays, with the problem under the list.
        menu_->setNote(problem.what());
        return;
    }
    entry_ = entry;
    levelName_ = chosen.name;
    playLevel(*level);
}

void FrontEnd::playLevel(const game::Level& level) {
    level_ = level;
    clearPanel();
    removeAll(*gameLayer_);
    screen_ = Screen::playing;
    sinceVictory_.reset();
    framesPlayed_ = 0;
    runUpdates_ = 0;
    wonAt_.reset();
    try {
        playedId_ = level_->id();
    } catch (const std::exception&) {
        playedId_.clear();
    }
    base::Random::seed(setup_.seed);
    if (setup_.progress != nullptr) setup_.progress->runStarted(*level_, playedId_, levelName_, setup_.seed);
    gameCues_.disconnect();
    if (setup_.sound != nullptr) setup_.sound->pause(false);
    startGame(gameLayer_, *level_);
    gameCues_ = get_game()->cues->announced.connect({this, &FrontEnd::onGameCue});
    // Added after the game's own listener: called after each update.
    get_game()->tickProvider->add({this, &FrontEnd::onTick});
    removeAll(*ghostLayer_);
    ghostPath_.reset();
    // The controls, once, over the first level's first screen.
    if (!controlsShown_ && entry_ == std::size_t{0}) {
        controlsShown_ = true;
        hintLayer_->addChild(controls_);
    }
}

void FrontEnd::restart() {
    if (!level_) return;
    if (controls_->get_parent() != nullptr) hintLayer_->removeChild(controls_);
    playLevel(*level_);
}

void FrontEnd::pause() {
    if (screen_ != Screen::playing || !get_game()) return;
    get_game()->tickProvider->stop();
    if (setup_.sound != nullptr) setup_.sound->pause(true);
    showPanel(
        Screen::paused, {"Paused", {levelName_}, {}, 72, true},
        {{"Resume", Action::resume}, {"Restart", Action::restart}, {"Levels", Action::levels}, {"Quit", Action::quit}},
        pauseDim);
}

void FrontEnd::resume() {
    if (screen_ != Screen::paused) return;
    clearPanel();
    screen_ = Screen::playing;
    if (setup_.sound != nullptr) setup_.sound->pause(false);
    get_game()->tickProvider->start();
}

void FrontEnd::showVictory() {
    std::vector<Item> items{{"Retry", Action::restart}};
    if (entry_ && *entry_ + 1 < setup_.catalog.entries().size()) items.push_back({"Next level", Action::next});
    items.push_back({"Levels", Action::levels});
    std::vector<std::string> lines{levelName_ + "  ·  " + runTimeText(*wonAt_)};
    if (setup_.progress != nullptr) {
        for (auto& line : setup_.progress->aboutWin()) lines.push_back(std::move(line));
    }
    showPanel(Screen::won, {"Victory", std::move(lines), {}, 72, true}, std::move(items), victoryDim);
}

void FrontEnd::act(const Item& item) {
    cue(components::CueKind::menuSelect);
    switch (item.action) {
        case Action::play:
            play(item.level);
            break;
        case Action::settings:
            showSettings();
            break;
        case Action::quit:
            gfx::Lib::close();
            break;
        case Action::resume:
            resume();
            break;
        case Action::restart:
            restart();
            break;
        case Action::levels:
            showTitle(entry_.value_or(0));
            break;
        case Action::next:
            play(*entry_ + 1);
            break;
        case Action::fullscreen:
            toggle(&Settings::fullscreen);
            showSettings(0);
            break;
        case Action::fit:
            toggle(&Settings::fitWindow);
            showSettings(1);
            break;
        case Action::ghost:
            toggle(&Settings::ghost);
            showSettings(2);
            break;
        case Action::effectsVolume:
            turn(&Settings::effectsVolume, volumeStep, true);
            showSettings(3);
            break;
        case Action::ambienceVolume:
            turn(&Settings::ambienceVolume, volumeStep, true);
            showSettings(4);
            break;
        case Action::sound:
            toggleMute();
            break;
        case Action::back:
            showTitle(setup_.catalog.entries().size());
            break;
    }
}

void FrontEnd::back() {
    switch (screen_) {
        case Screen::title:
            gfx::Lib::close();
            break;
        case Screen::settings:
            showTitle(setup_.catalog.entries().size());
            break;
        case Screen::playing:
            pause();
            break;
        case Screen::paused:
            resume();
            break;
        case Screen::won:
            showTitle(entry_.value_or(0));
            break;
    }
}

void FrontEnd::changeSettings(const Settings& settings) {
    if (settings == setup_.settings) return;
    setup_.settings = settings;
    if (setup_.settingsFile != nullptr) setup_.settingsFile->save(settings);
    applySettings();
}

void FrontEnd::toggle(bool Settings::*setting) {
    Settings changed = setup_.settings;
    changed.*setting = !(changed.*setting);
    changeSettings(changed);
}

void FrontEnd::turn(int Settings::*volume, int step, bool wrap) {
    Settings changed = setup_.settings;
    int value = changed.*volume + step;
    if (wrap && value > 100) value = 0;
    changed.*volume = std::clamp(value, 0, 100);
    changeSettings(changed);
}

void FrontEnd::toggleMute() {
    Settings changed = setup_.settings;
    const bool nowSilent = silent();
    setup_.mute = false;
    changed.muted = !nowSilent;
    if (changed == setup_.settings) {
        applySettings();  // only the session's muting ended
    } else {
        changeSettings(changed);
    }
    if (screen_ == Screen::settings) showSettings(menu_ ? menu_->selected() : 0);
}

void FrontEnd::cue(components::CueKind kind) {
    if (setup_.sound != nullptr) setup_.sound->cue(components::Cue{kind});
}

void FrontEnd::onGameCue(const components::Cue& cue) {
    if (setup_.sound != nullptr) setup_.sound->cue(cue);
}

void FrontEnd::applySettings() {
    using gfx::display::StageAlign;
    using gfx::display::StageDisplayState;
    using gfx::display::StageScaleMode;
    auto* stage = get_stage();
    const bool fit = setup_.settings.fitWindow;
    stage->set_align(fit ? StageAlign::CENTER : StageAlign::TOP_LEFT);
    stage->set_scaleMode(fit ? StageScaleMode::SHOW_ALL : StageScaleMode::NO_SCALE);
    const auto wanted = setup_.settings.fullscreen ? StageDisplayState::FULL_SCREEN : StageDisplayState::NORMAL;
    if (stage->get_displayState() != wanted) stage->set_displayState(wanted);
    if (setup_.sound != nullptr) setup_.sound->volumes(setup_.settings, setup_.mute);
}

void FrontEnd::onKeyDown(const gfx::events::EventPtr& event) {
    const auto& key = static_cast<const KeyboardEvent&>(*event);
    // Alt+Enter belongs to the stage (fullscreen).
    if (key.altKey) return;
    // A key held down repeats: only moving through a list goes on, a held
    // Esc must not pause and resume over and over, nor a held R restart.
    if (key.repeat && key.keyCode != game::keys::Up && key.keyCode != game::keys::Down) return;
    switch (key.keyCode) {
        case game::keys::Escape:
            back();
            return;
        case game::keys::R:
            if (screen_ == Screen::playing || screen_ == Screen::paused || screen_ == Screen::won) restart();
            return;
        case game::keys::M:
            toggleMute();
            return;
        case game::keys::G:
            if (screen_ == Screen::playing || screen_ == Screen::paused) {
                toggle(&Settings::ghost);
                placeGhost();
            }
            return;
        default:
            break;
    }
    if (!menu_) return;
    switch (key.keyCode) {
        case game::keys::Up:
        case game::keys::W:
            menu_->move(-1);
            cue(components::CueKind::menuMove);
            break;
        case game::keys::Down:
        case game::keys::S:
            menu_->move(1);
            cue(components::CueKind::menuMove);
            break;
        case game::keys::Left:
        case game::keys::A:
        case game::keys::Right:
        case game::keys::D:
            turnSelected(key.keyCode == game::keys::Left || key.keyCode == game::keys::A ? -volumeStep : volumeStep);
            break;
        case game::keys::Enter:
        case game::keys::Space:
            if (menu_->selected() < items_.size()) act(items_[menu_->selected()]);
            break;
        default:
            break;
    }
}

void FrontEnd::onMouseMove(const gfx::events::EventPtr& event) {
    const auto& mouse = static_cast<const MouseEvent&>(*event);
    // Only a pointer the player moves chooses: one resting where a window
    // or a panel happens to open (or entering the window) leaves the
    // selection alone.
    const std::pair<double, double> at{mouse.stageX, mouse.stageY};
    const bool moved = pointer_ && *pointer_ != at;
    pointer_ = at;
    if (!menu_ || !moved) return;
    if (auto item = menu_->itemAt(mouse.stageX, mouse.stageY); item && *item != menu_->selected()) {
        menu_->select(*item);
        cue(components::CueKind::menuMove);
    }
}

void FrontEnd::onClick(const gfx::events::EventPtr& event) {
    if (!menu_) return;
    const auto& mouse = static_cast<const MouseEvent&>(*event);
    if (auto item = menu_->itemAt(mouse.stageX, mouse.stageY); item && *item < items_.size()) {
        const Item chosen = items_[*item];
        act(chosen);
    }
}

void FrontEnd::placeGhost() {
    if (setup_.progress == nullptr || playedId_.empty() || !get_game()) return;
    if (!ghostPath_) ghostPath_ = setup_.progress->ghost(playedId_);
    // Shown while its run lasts, from the run's first update on.
    const bool shown = setup_.settings.ghost && ghostPath_ && runUpdates_ >= 1 &&
                       static_cast<std::size_t>(runUpdates_) <= ghostPath_->places.size();
    if (!shown) {
        removeAll(*ghostLayer_);
        return;
    }
    const auto& place = ghostPath_->places[static_cast<std::size_t>(runUpdates_ - 1)];
    const auto& game = *get_game();
    auto camera = game.firstWith<components::Camera>();
    if (!camera) return;
    const auto& cam = *camera->get<components::Position>()->position;
    const auto centre = game.config->screenCenter();
    // Where the game draws the player: its position seen from the camera.
    ghost_->set_x((centre->x - cam.x) + place.x);
    ghost_->set_y((centre->y - cam.y) + place.y);
    ghost_->set_scaleX(place.beam ? beamScale : 1);
    ghost_->set_scaleY(place.beam ? 1 / beamScale : 1);
    if (ghost_->get_parent() == nullptr) ghostLayer_->addChild(ghost_);
}

void FrontEnd::onTick(const double&) {
    ++runUpdates_;
    if (wonAt_ || !get_game()->isWon()) return;
    wonAt_ = runUpdates_;
    if (setup_.progress != nullptr) setup_.progress->runWon(*wonAt_);
}

void FrontEnd::nativeEvent(const rt_event& record) {
    // Events after the victory belong to no run: the next one starts anew.
    if (setup_.progress == nullptr || !level_ || wonAt_ || screen_ == Screen::title || screen_ == Screen::settings) {
        return;
    }
    setup_.progress->runEvent(record, runUpdates_);
}

void FrontEnd::onDeactivate(const gfx::events::EventPtr&) { pause(); }

void FrontEnd::onFullScreen(const gfx::events::EventPtr&) {
    const bool fullscreen = get_stage()->get_displayState() == gfx::display::StageDisplayState::FULL_SCREEN;
    if (fullscreen == setup_.settings.fullscreen) return;
    // The window already is as the player wants it: only kept.
    setup_.settings.fullscreen = fullscreen;
    if (setup_.settingsFile != nullptr) setup_.settingsFile->save(setup_.settings);
    if (screen_ == Screen::settings) showSettings(menu_ ? menu_->selected() : 0);
}

void FrontEnd::turnSelected(int step) {
    if (screen_ != Screen::settings || menu_->selected() >= items_.size()) return;
    const std::size_t selected = menu_->selected();
    const Action action = items_[selected].action;
    if (action != Action::effectsVolume && action != Action::ambienceVolume) return;
    turn(action == Action::effectsVolume ? &Settings::effectsVolume : &Settings::ambienceVolume, step, false);
    cue(components::CueKind::menuMove);
    showSettings(selected);
}

void FrontEnd::onFrame(const gfx::events::EventPtr&) {
    // A record changed (a run's check came back): the screens that show it
    // are drawn again, the selection kept.
    if (setup_.progress != nullptr && setup_.progress->poll() && menu_) {
        const std::size_t selected = menu_->selected();
        if (screen_ == Screen::title) {
            showTitle(selected);
        } else if (screen_ == Screen::won) {
            showVictory();
            menu_->select(selected);
        }
    }
    const auto& game = get_game();
    if (setup_.sound != nullptr && screen_ != Screen::paused) setup_.sound->mood(game ? &game->cues->moon : nullptr);
    if (!game || screen_ == Screen::paused) return;
    placeGhost();
    ++framesPlayed_;
    if (controls_->get_parent() != nullptr && framesPlayed_ >= controlsFrames) hintLayer_->removeChild(controls_);
    // The game's own panel says how to rewind; this says what else helps.
    const bool over = screen_ == Screen::playing && game->isPaused();
    if (over != (gameOverHint_->get_parent() != nullptr)) {
        if (over) {
            hintLayer_->addChild(gameOverHint_);
        } else {
            hintLayer_->removeChild(gameOverHint_);
        }
    }
    if (!sinceVictory_) {
        if (wonAt_) sinceVictory_ = 0;
    } else if (++*sinceVictory_ == victoryPanelDelay && screen_ == Screen::playing) {
        showVictory();
    }
}

}  // namespace frontend
