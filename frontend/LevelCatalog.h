#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/UserFolders.h"

namespace frontend {

// One level the player can choose.
struct LevelEntry {
    std::string name;
    // As the game opens it: relative paths from the program's data folder.
    std::filesystem::path path;
};

// The levels in the order the title lists them: the game's own first, then
// the levels shipped in the data folder's levels/, then the player's own
// (levels/ in the player's data folder), each folder's *.json files by
// name. A folder that is missing or cannot be listed adds nothing.
class LevelCatalog {
public:
    static constexpr const char* firstLevelName = "First light";

    // gameLevel: the game's own level; shipped, own: the two folders (own
    // may be empty: no folder of the player's).
    LevelCatalog(std::filesystem::path gameLevel, const std::filesystem::path& shipped,
                 const std::filesystem::path& own);

    // The game's list: its own level and levels/ in the program's data
    // folder gameData (empty: the working directory, where the game runs),
    // and the player's levels/.
    // The file of the first level listed whose content has the id (see
    // world/LevelId.h), if any; files that cannot be read are passed over.
    [[nodiscard]] std::optional<std::filesystem::path> withId(const std::string& id) const;

    [[nodiscard]] static LevelCatalog standard(const base::UserFolders& player,
                                               const std::filesystem::path& gameData = {});

    [[nodiscard]] const std::vector<LevelEntry>& entries() const { return entries_; }

    // The entry of a level file, compared by what the file is (links,
    // "..", relative against the working directory).
    [[nodiscard]] std::optional<std::size_t> find(const std::filesystem::path& file) const;

    // A file name as a title: the extension dropped, dashes and
    // underscores as spaces, the first letter a capital ("the-well.json"
    // becomes "The well").
    [[nodiscard]] static std::string readableName(const std::filesystem::path& file);

private:
    void addFolder(const std::filesystem::path& folder);

    std::vector<LevelEntry> entries_;
};

}  // namespace frontend
