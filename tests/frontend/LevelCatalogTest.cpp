// The list of levels on the title: its order, its names, and what it does
// with folders that are missing or hold other files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/UserFolders.h"
#include "frontend/LevelCatalog.h"
#include "tests/support/files/TempFolder.h"

namespace {

using frontend::LevelCatalog;

std::vector<std::string> namesOf(const LevelCatalog& catalog) {
    std::vector<std::string> names;
    for (const auto& entry : catalog.entries()) names.push_back(entry.name);
    return names;
}

TEST(LevelCatalog, FileNamesBecomeReadableNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"the-well.json", "The well"},
        {"mirrors.json", "Mirrors"},
        {"my_first_level.json", "My first level"},
        {"/a/b/Échos.json", "Échos"},
        {"x.json", "X"},
        {"2-steps.json", "2 steps"},
        {"a--b.json", "A  b"},
        {"levels/deep.level.json", "Deep.level"},
    };
    for (const auto& [file, name] : cases) EXPECT_EQ(LevelCatalog::readableName(file), name) << file;
}

TEST(LevelCatalog, TheGameOwnLevelFirstThenShippedThenThePlayersEachByName) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("shipped"));
    std::filesystem::create_directories(folder.file("own/sub.json"));  // a folder, not a level
    folder.write("shipped/the-well.json", "{}");
    folder.write("shipped/mirrors.json", "{}");
    folder.write("shipped/notes.txt", "not a level");
    folder.write("own/zebra.json", "{}");
    folder.write("own/apple.json", "{}");

    LevelCatalog catalog("assets/map.json", folder.file("shipped"), folder.file("own"));
    EXPECT_EQ(namesOf(catalog), (std::vector<std::string>{"First light", "Mirrors", "The well", "Apple", "Zebra"}));
    EXPECT_EQ(catalog.entries()[0].path, "assets/map.json");
    EXPECT_EQ(catalog.find(folder.file("own/../own/apple.json")), std::size_t{3}) << "found by what it is";
    EXPECT_EQ(catalog.find(folder.file("own/none.json")), std::nullopt);
}

TEST(LevelCatalog, MissingFoldersAddNothing) {
    TempFolder folder;
    EXPECT_EQ(namesOf(LevelCatalog("assets/map.json", folder.file("none"), folder.file("nor"))),
              std::vector<std::string>{"First light"});
    EXPECT_EQ(namesOf(LevelCatalog("assets/map.json", folder.file("none"), {})),
              std::vector<std::string>{"First light"});
}

TEST(UserFolders, FollowTheDesktopVariablesAndFallBackOnTheHomeFolder) {
    struct Case {
        const char* config;  // null: unset
        const char* data;
        const char* home;
        const char* wantConfig;
        const char* wantData;
    };
    const Case cases[] = {
        {"/c", "/d", "/h", "/c/vyn", "/d/vyn"},
        {nullptr, nullptr, "/h", "/h/.config/vyn", "/h/.local/share/vyn"},
        {"", "", "/h", "/h/.config/vyn", "/h/.local/share/vyn"},
        // A relative folder is to be ignored.
        {"rel", "rel", "/h", "/h/.config/vyn", "/h/.local/share/vyn"},
        {nullptr, nullptr, nullptr, "", ""},
    };
    auto set = [](const char* name, const char* value) {
        if (value == nullptr) {
            ::unsetenv(name);
        } else {
            ::setenv(name, value, 1);
        }
    };
    for (const auto& c : cases) {
        set("XDG_CONFIG_HOME", c.config);
        set("XDG_DATA_HOME", c.data);
        set("HOME", c.home);
        const auto folders = base::UserFolders::fromEnvironment();
        EXPECT_EQ(folders.config, c.wantConfig);
        EXPECT_EQ(folders.data, c.wantData);
    }
}

}  // namespace
