#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

namespace frontend {

// What the player chose once and expects to find again.
struct Settings {
    bool fullscreen = false;
    // Scale the play area to the window, keeping its shape.
    bool fitWindow = true;
    // A ghost of the level's best run races the player.
    bool ghost = true;
    // The sound's volumes in percent, 0 to 100, and whether all is silent.
    int effectsVolume = 80;
    int ambienceVolume = 60;
    bool muted = false;

    bool operator==(const Settings&) const = default;
};

// The settings file, settings.json in the player's configuration folder.
//
// A file that cannot be read or parsed gives one warning line and the
// defaults, and is left as it is. When the player later changes a setting,
// such a file is first kept beside under a name of its own
// ("settings.json.unreadable", or "…unreadable-2" and so on when that is
// taken), so that nothing it held is lost; then a new one is written.
// Keys this version does not know are written back as they were read.
// Every write goes through the crash-safe writer; one that fails gives a
// warning line and the game plays on.
class SettingsFile {
public:
    // path empty: nothing is read or written (no folder for the player).
    SettingsFile(std::filesystem::path path, std::ostream& warnings);

    // Reads the file; the defaults when it is absent or unreadable.
    Settings load();
    // Writes settings; returns whether they reached the file.
    bool save(const Settings& settings);

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

    static constexpr const char* fileName = "settings.json";

private:
    void warn(const std::string& problem);
    // Moves the unreadable file aside; false (with a warning) when it stays.
    bool keepUnreadable();

    std::filesystem::path path_;
    std::ostream& warnings_;
    // What the file held, for the keys of other versions.
    nlohmann::json kept_ = nlohmann::json::object();
    // The last load found a file it could not use.
    bool unreadable_ = false;
};

}  // namespace frontend
