#include "frontend/LevelCatalog.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "world/GameMap.h"
#include "world/Level.h"

namespace frontend {

LevelCatalog::LevelCatalog(std::filesystem::path gameLevel, const std::filesystem::path& shipped,
                           const std::filesystem::path& own) {
    entries_.push_back({firstLevelName, std::move(gameLevel)});
    addFolder(shipped);
    if (!own.empty()) addFolder(own);
}

LevelCatalog LevelCatalog::standard(const base::UserFolders& player, const std::filesystem::path& gameData) {
    return LevelCatalog(gameData / game::GameMap::levelFile, gameData / "levels",
                        player.data.empty() ? player.data : player.data / "levels");
}

void LevelCatalog::addFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind;
        if (it->path().extension() == ".json" && it->is_regular_file(kind)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (auto& file : files) entries_.push_back({readableName(file), std::move(file)});
}

std::optional<std::size_t> LevelCatalog::find(const std::filesystem::path& file) const {
    std::error_code error;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (std::filesystem::equivalent(entries_[i].path, file, error)) return i;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> LevelCatalog::withId(const std::string& id) const {
    for (const auto& entry : entries_) {
        try {
            if (game::Level::read(entry.path.string()).id() == id) return entry.path;
        } catch (const std::exception&) {
            // A level that cannot be read is not the one.
        }
    }
    return std::nullopt;
}

std::string LevelCatalog::readableName(const std::filesystem::path& file) {
    std::string name = file.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '-' || c == '_'; }, ' ');
    if (!name.empty()) name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

}  // namespace frontend
