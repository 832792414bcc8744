#include <gtest/gtest.h>

#include <string>

#include "tests/support/files/TempFolder.h"
#include "world/Level.h"
#include "world/LevelId.h"

namespace {

constexpr const char* base = R"({"blocks": [[0, 1], [1, 1], [2, 1]], "items": [[0, -2], [3, -4]]})";

// Files that hold the same cells as `base`, written otherwise.
TEST(LevelId, DependsOnlyOnTheCells) {
    TempFolder folder;
    const std::string id = game::Level::read(folder.write("base.json", base)).id();
    EXPECT_EQ(id.size(), 16u);
    const struct {
        const char* what;
        const char* text;
    } same[] = {
        {"cells listed in another order", R"({"items": [[3, -4], [0, -2]], "blocks": [[2, 1], [0, 1], [1, 1]]})"},
        {"a cell listed twice", R"({"blocks": [[0, 1], [1, 1], [2, 1], [1, 1]], "items": [[0, -2], [3, -4]]})"},
        {"other keys", R"({"name": "Elsewhere", "blocks": [[0, 1], [1, 1], [2, 1]], "items": [[0, -2], [3, -4]]})"},
    };
    for (const auto& file : same) {
        EXPECT_EQ(game::Level::read(folder.write("other name.json", file.text)).id(), id) << file.what;
    }
    // Read ahead or not, the id is the same.
    EXPECT_EQ(game::Level(folder.file("base.json")).id(), id);
}

TEST(LevelId, ChangesWithAnyCell) {
    TempFolder folder;
    const std::string id = game::Level::read(folder.write("base.json", base)).id();
    const struct {
        const char* what;
        const char* text;
    } changed[] = {
        {"a block moved", R"({"blocks": [[0, 1], [1, 1], [2, 2]], "items": [[0, -2], [3, -4]]})"},
        {"a block less", R"({"blocks": [[0, 1], [1, 1]], "items": [[0, -2], [3, -4]]})"},
        {"a shard moved", R"({"blocks": [[0, 1], [1, 1], [2, 1]], "items": [[0, -2], [3, -5]]})"},
        {"a block made a shard", R"({"blocks": [[0, 1], [1, 1]], "items": [[0, -2], [3, -4], [2, 1]]})"},
        {"x and y swapped", R"({"blocks": [[1, 0], [1, 1], [1, 2]], "items": [[-2, 0], [-4, 3]]})"},
    };
    for (const auto& file : changed) {
        EXPECT_NE(game::Level::read(folder.write("base.json", file.text)).id(), id) << file.what;
    }
}

}  // namespace
