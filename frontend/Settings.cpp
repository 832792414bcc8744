#include "frontend/Settings.h"

#include <cstdint>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "base/FileWriter.h"
#include "base/InputFile.h"
#include "base/JsonError.h"
#include "base/KeepAside.h"

namespace frontend {

namespace {

// The file's key for each setting.
struct BoolKey {
    const char* name;
    bool Settings::*field;
};
constexpr BoolKey boolKeys[] = {
    {"fullscreen", &Settings::fullscreen},
    {"fitWindow", &Settings::fitWindow},
    {"ghost", &Settings::ghost},
    {"muted", &Settings::muted},
};
struct VolumeKey {
    const char* name;
    int Settings::*field;
};
constexpr VolumeKey volumeKeys[] = {
    {"effectsVolume", &Settings::effectsVolume},
    {"ambienceVolume", &Settings::ambienceVolume},
};

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path path, std::ostream& warnings)
    : path_(std::move(path)), warnings_(warnings) {}

void SettingsFile::warn(const std::string& problem) { warnings_ << "vyn: warning: " << problem << '\n' << std::flush; }

Settings SettingsFile::load() {
    Settings settings;
    unreadable_ = false;
    kept_ = nlohmann::json::object();
    if (path_.empty()) return settings;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path_, error))) return settings;

    nlohmann::json file;
    try {
        const std::string text = base::readInputFile(path_.string(), base::InputKind::RegularFile);
        try {
            file = nlohmann::json::parse(text);
        } catch (const nlohmann::json::exception& error) {
            throw std::runtime_error(path_.string() + ": not valid JSON: " + base::describeJsonError(error.what()));
        }
    } catch (const std::exception& problem) {
        unreadable_ = true;
        // Both kinds of problem start with the path: it is quoted whole.
        std::string what = problem.what();
        what = base::wholePath(path_.string()) + what.substr(path_.string().size());
        warn(what + "; the default settings are used");
        return settings;
    }
    if (!file.is_object()) {
        unreadable_ = true;
        warn(base::wholePath(path_.string()) + ": not a JSON object; the default settings are used");
        return settings;
    }
    kept_ = std::move(file);
    for (const auto& key : boolKeys) {
        auto found = kept_.find(key.name);
        if (found == kept_.end()) continue;
        if (found->is_boolean()) {
            settings.*key.field = found->get<bool>();
        } else {
            warn(base::wholePath(path_.string()) + ": \"" + key.name + "\" is not true or false; its default is used");
        }
    }
    for (const auto& key : volumeKeys) {
        auto found = kept_.find(key.name);
        if (found == kept_.end()) continue;
        if (found->is_number_integer() && found->get<std::int64_t>() >= 0 && found->get<std::int64_t>() <= 100) {
            settings.*key.field = found->get<int>();
        } else {
            warn(base::wholePath(path_.string()) + ": \"" + key.name +
                 "\" is not a whole number from 0 to 100; its default is used");
        }
    }
    return settings;
}

bool SettingsFile::keepUnreadable() {
    try {
        const auto aside = base::keepAside(path_);
        warn("the unreadable settings are kept in " + base::wholePath(aside.string()));
        return true;
    } catch (const std::exception& problem) {
        warn(std::string(problem.what()) + "; the settings are not saved");
        return false;
    }
}

bool SettingsFile::save(const Settings& settings) {
    if (path_.empty()) return false;
    if (unreadable_) {
        if (!keepUnreadable()) return false;
        unreadable_ = false;
    }
    for (const auto& key : boolKeys) kept_[key.name] = settings.*key.field;
    for (const auto& key : volumeKeys) kept_[key.name] = settings.*key.field;
    try {
        std::error_code error;
        std::filesystem::create_directories(path_.parent_path(), error);
        if (error) {
            throw std::runtime_error(base::wholePath(path_.parent_path().string()) +
                                     ": cannot be made: " + error.message());
        }
        base::writeWholeFile(path_.string(), kept_.dump(2) + "\n");
    } catch (const std::exception& problem) {
        warn(std::string(problem.what()) + "; the settings are not saved");
        return false;
    }
    return true;
}

}  // namespace frontend
