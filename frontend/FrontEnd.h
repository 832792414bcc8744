#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Connection.h"
#include "base/Random.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/events/Event.h"
#include "frontend/LevelCatalog.h"
#include "frontend/MenuView.h"
#include "frontend/Progress.h"
#include "frontend/Settings.h"
#include "frontend/Sound.h"
#include "game/DocumentClass.h"
#include "world/Level.h"

namespace frontend {

// The screens of the front end.
enum class Screen { title, settings, playing, paused, won };
[[nodiscard]] const char* nameOf(Screen screen);

// The game's document with the front end around the game: the title with
// the list of levels, the settings, and over a running game the pause
// panel and the victory panel. It starts and ends games (Main::startGame),
// each in a layer of its own under the panels; the game itself never learns
// of the front end, and nothing here changes what a game does, only whether
// it runs.
//
// Keys: arrows or W/S move, Enter or Space chooses, Esc goes back (pauses a
// game; quits from the title), R starts the level again at once, from play,
// the pause or the victory panel. The mouse chooses by pointing and
// clicking. A window that loses focus pauses the game. M silences the sound
// or brings it back; the settings set its volumes. A run's time is its
// number of updates up to the one that wins, rewound ones included. The settings are put
// into effect here (fullscreen, fitting the play area to the window) and
// kept whenever they change, also by F11 or Alt+Enter.
class FrontEnd : public game::DocumentClass {
public:
    struct Setup {
        LevelCatalog catalog;
        Settings settings;
        // Where settings are kept; null: they last only for this run.
        SettingsFile* settingsFile = nullptr;
        // Played at once instead of showing the title (read and checked
        // by the program, kept for restarts: Level::readToKeep).
        std::optional<game::Level> firstLevel;
        // Told of every run and asked for records; null: none kept.
        Progress* progress = nullptr;
        // Every run starts the random source from it, a restart too, so
        // that a run replays on its own.
        std::uint64_t seed = base::Random::defaultSeed;
        // Told of the cues, the moon and pauses; null: silence.
        Sound* sound = nullptr;
        // This session starts silent, whatever the settings say (until M).
        bool mute = false;
    };

    explicit FrontEnd(Setup setup);
    ~FrontEnd() override;

    [[nodiscard]] Screen screen() const { return screen_; }
    // The level played or last played; empty on the title before any.
    [[nodiscard]] const std::string& levelName() const { return levelName_; }
    // The panel shown, if any.
    [[nodiscard]] const MenuView* menu() const { return menu_.get(); }
    [[nodiscard]] const Settings& settings() const { return setup_.settings; }

    // A native event as it reaches the program, for the run's recording.
    void nativeEvent(const rt_event& record);

    // Frames of play before the controls line goes away.
    static constexpr int controlsFrames = 600;
    // Frames between a victory and its panel, to see the shards home.
    static constexpr int victoryPanelDelay = 90;
    // Percent a volume changes by in the settings.
    static constexpr int volumeStep = 10;

protected:
    void begin() override;

private:
    enum class Action {
        play,
        settings,
        quit,
        resume,
        restart,
        levels,
        next,
        fullscreen,
        fit,
        ghost,
        effectsVolume,
        ambienceVolume,
        sound,
        back
    };
    struct Item {
        std::string text;
        Action action;
        std::size_t level = 0;
    };

    void showTitle(std::size_t selected = 0);
    void showSettings(std::size_t selected = 0);
    void showPanel(Screen screen, MenuView::Content content, std::vector<Item> items, double dim);
    void clearPanel();
    void play(std::size_t entry);
    void playLevel(const game::Level& level);
    void restart();
    void pause();
    void resume();
    void showVictory();
    void act(const Item& item);
    void back();
    void changeSettings(const Settings& settings);
    // Switches one setting on or off, and keeps the change.
    void toggle(bool Settings::*setting);
    // Turns a volume by step percent, within 0 to 100 (wrapping past 100
    // when `wrap`), and keeps the change.
    void turn(int Settings::*volume, int step, bool wrap);
    // Left or Right on a volume of the settings.
    void turnSelected(int step);
    // M: silent or not.
    void toggleMute();
    [[nodiscard]] bool silent() const { return setup_.settings.muted || setup_.mute; }
    // A cue of the screens, and the running game's, for the sound.
    void cue(components::CueKind kind);
    void onGameCue(const components::Cue& cue);
    // Puts the window as the settings say.
    void applySettings();

    void onKeyDown(const gfx::events::EventPtr& event);
    void onMouseMove(const gfx::events::EventPtr& event);
    void onClick(const gfx::events::EventPtr& event);
    void onDeactivate(const gfx::events::EventPtr& event);
    // The display state changed, by a key the stage handles or by the
    // settings: kept in the settings.
    void onFullScreen(const gfx::events::EventPtr& event);
    void onFrame(const gfx::events::EventPtr& event);
    // After each update of the running game.
    void onTick(const double& step);
    // The title's line for a catalog entry: its name, best time and medal.
    std::string titleLine(std::size_t entry);
    // The content id of a level file, kept; empty when it cannot be read.
    const std::string& levelId(const std::filesystem::path& file);
    // Puts the ghost where its run was after the game's last update.
    void placeGhost();

    Setup setup_;
    Screen screen_ = Screen::title;
    std::string levelName_;
    // The catalog entry played, if the level is one of them.
    std::optional<std::size_t> entry_;
    // The level played, kept for restarts.
    std::optional<game::Level> level_;
    // The running game's container, under the panels.
    std::shared_ptr<gfx::display::Sprite> gameLayer_;
    // The panel and what dims the game under it.
    std::shared_ptr<gfx::display::Sprite> panelLayer_;
    std::shared_ptr<MenuView> menu_;
    std::vector<Item> items_;
    // The ghost of the run raced, over the game, and its path.
    std::shared_ptr<gfx::display::Sprite> ghostLayer_;
    std::shared_ptr<gfx::display::Shape> ghost_;
    std::shared_ptr<const GhostPath> ghostPath_;
    std::string playedId_;
    // Lines over the game: the controls, and what keys do after a game over.
    std::shared_ptr<gfx::display::Sprite> hintLayer_;
    std::shared_ptr<gfx::text::TextField> controls_;
    std::shared_ptr<gfx::text::TextField> gameOverHint_;
    bool controlsShown_ = false;
    int framesPlayed_ = 0;
    // Frames since the victory; absent before it.
    std::optional<int> sinceVictory_;
    // The running game's updates, and the one that won it.
    int runUpdates_ = 0;
    std::optional<int> wonAt_;
    // Where the pointer was last seen, on the stage.
    std::optional<std::pair<double, double>> pointer_;
    std::vector<base::Connection> connections_;
    // The running game's cues, for the sound.
    base::Connection gameCues_;
    // The content id of each catalog level seen on the title (empty: its
    // file could not be read).
    std::map<std::filesystem::path, std::string> levelIds_;
};

}  // namespace frontend
