#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Random.h"
#include "tests/support/files/ErrorOf.h"
#include "tests/support/files/TempFolder.h"
#include "world/GameMap.h"
#include "world/Level.h"

using game::GameMap;

namespace {

using Cells = std::vector<std::array<double, 2>>;

struct Counter {
    int calls = 0;
    std::shared_ptr<GameMap> last;
    void onReload(const std::shared_ptr<GameMap>& map) {
        ++calls;
        last = map;
    }
};

}  // namespace

TEST(GameMap, LoadsLenientlyWithFreshItemsPerCell) {
    TempFolder folder;
    std::string path = folder.write("map.json", R"({"items":[[1.9,-2.2],[5],[5,0]],"blocks":[[0,0,7]],"extra":1})");
    base::Random::seed(7);
    auto map = std::make_shared<GameMap>(path);
    EXPECT_EQ(map->path, path);
    EXPECT_EQ(map->blocks->toArray(), (Cells{{0, 0}}));
    EXPECT_TRUE(*map->blocks->get(0, 0));
    EXPECT_EQ(map->items->toArray(), (Cells{{1, -2}, {5, 0}}));

    auto item = map->items->get(1, -2);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->id, 1);
    EXPECT_NE(item.get(), map->items->get(5, 0).get());
    // Three items were made, in entry order; the duplicate cell keeps the last.
    base::Random::seed(7);
    double first = base::Random::next();
    base::Random::next();
    double third = base::Random::next();
    EXPECT_EQ(item->animationTime, first);
    EXPECT_EQ(map->items->get(5, 0)->animationTime, third);
}

TEST(GameMap, SaveWritesSortedExactTextAndTracesIt) {
    TempFolder folder;
    std::string path =
        folder.write("map.json", "{\"blocks\": [[0, 6], [0, 5], [-1, 5], [0, 5]],\n \"items\": [[2, 3]]}\n");
    auto map = std::make_shared<GameMap>(path);
    Counter counter;
    map->reloadSignal->add({&counter, &Counter::onReload});
    auto blocksBefore = map->blocks->cells;
    auto itemsBefore = map->items->cells;

    testing::internal::CaptureStdout();
    map->save();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "GameMap:48: saved map to," + path + "\n");
    EXPECT_EQ(TempFolder::read(path), R"({"blocks":[[-1,5],[0,5],[0,6]],"items":[[2,3]]})");
    EXPECT_EQ(counter.calls, 0);
    EXPECT_EQ(map->blocks->cells, blocksBefore);
    EXPECT_EQ(map->items->cells, itemsBefore);

    // A collected shard leaves the play state, not the level: it is saved.
    map->items->cells.clear();
    testing::internal::CaptureStdout();
    map->save();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(TempFolder::read(path), R"({"blocks":[[-1,5],[0,5],[0,6]],"items":[[2,3]]})");

    map->levelItems->cells.clear();
    map->blocks->cells.clear();
    testing::internal::CaptureStdout();
    map->save();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(TempFolder::read(path), R"({"blocks":[],"items":[]})");
}

TEST(GameMap, ReloadRefillsTheSameLayersAndSignalsOnce) {
    TempFolder folder;
    std::string path = folder.write("map.json", R"({"blocks":[[1,1]],"items":[[2,2]]})");
    auto map = std::make_shared<GameMap>(path);
    auto blocks = map->blocks;
    auto items = map->items;
    auto oldItem = items->get(2, 2);
    Counter counter;
    map->reloadSignal->add({&counter, &Counter::onReload});

    folder.write("map.json", R"({"blocks":[[3,4]],"items":[[2,2]]})");
    map->reload();
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(counter.last, map);
    EXPECT_EQ(map->blocks, blocks);
    EXPECT_EQ(map->items, items);
    EXPECT_EQ(blocks->toArray(), (Cells{{3, 4}}));
    EXPECT_NE(items->get(2, 2), oldItem);
}

TEST(GameMap, FaultyFileLeavesTheMapAsItWas) {
    TempFolder folder;
    const std::string good = R"({"blocks":[[1,1],[2,1]],"items":[[0,3]]})";
    std::string path = folder.write("map.json", good);
    auto map = std::make_shared<GameMap>(path);
    Counter counter;
    map->reloadSignal->add({&counter, &Counter::onReload});
    auto item = map->items->get(0, 3);

    struct Case {
        std::string text, problem;
    };
    const Case cases[] = {
        {"{\"blocks\":[[5,5]]", "not valid JSON"},
        {R"({"blocks":[[5,5]]})", R"("items" is missing)"},
        {R"({"blocks":[[5,5]],"items":[[1,2],"x"]})", R"("items" entry 1 is not an array)"},
        // The blocks are fine and would load; the bad item must stop them too.
        {R"({"blocks":[[5,5]],"items":[[0,0],[-11580,-5]]})",
         R"("items" entry 1 [-11580,-5] is outside the supported area |x| + |y| <= 11584)"},
        {R"({"blocks":[[5,5],[20000,0]],"items":[]})",
         R"("blocks" entry 1 [20000,0] is outside the supported area |x| + |y| <= 11584)"},
    };
    for (const Case& c : cases) {
        folder.write("map.json", c.text);
        std::string error = errorOf([&] { map->reload(); });
        EXPECT_TRUE(error.starts_with(path + ": " + c.problem)) << error;
        // A level checked ahead of the game reports the very same fault.
        EXPECT_EQ(errorOf([&] { (void)game::Level::read(path); }), error);
        EXPECT_EQ(map->blocks->toArray(), (Cells{{1, 1}, {2, 1}})) << c.text;
        EXPECT_EQ(map->items->get(0, 3), item) << c.text;
        EXPECT_EQ(map->items->cells.size(), 1u);
    }
    std::filesystem::remove(path);
    EXPECT_EQ(errorOf([&] { map->reload(); }), path + ": cannot be read: No such file or directory");
    EXPECT_EQ(map->blocks->cells.size(), 2u);
    EXPECT_EQ(counter.calls, 0);

    EXPECT_THROW(std::make_shared<GameMap>(path), std::runtime_error);
}

TEST(GameMap, FailedSaveReportsAndChangesNothing) {
    TempFolder folder;
    const std::string old = R"({"blocks": [[2, 2]], "items": []})";
    // The replacement cannot be created: its name beside the level would be
    // longer than a name can be.
    std::string path = folder.write(folder.longestName(), old);
    auto map = std::make_shared<GameMap>(path);
    map->blocks->setFilled(7, 7, true);

    testing::internal::CaptureStdout();
    std::string error = errorOf([&] { map->save(); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(error, path + ": cannot be written: File name too long");
    EXPECT_EQ(folder.entryCount(), 1u);
    EXPECT_EQ(TempFolder::read(path), old);
    EXPECT_EQ(map->blocks->toArray(), (Cells{{2, 2}, {7, 7}}));
}

// A program checks a level before the game starts; the game then takes what
// was read, with the same Items as a map loading the file would make.
TEST(GameMap, ALevelReadAheadServesTheFirstMapAndLaterOnesReadTheFile) {
    TempFolder folder;
    std::string path = folder.write("map.json", R"({"blocks":[[1,1],[-2,0]],"items":[[0,3],[4,4]]})");
    base::Random::seed(3);
    auto direct = std::make_shared<GameMap>(path);

    base::Random::seed(3);
    const game::Level level = game::Level::read(path);
    const game::Level copy = level;
    // Nothing drew on the random source yet: the Items are made by the map.
    const double afterRead = base::Random::next();
    base::Random::seed(3);
    EXPECT_EQ(afterRead, base::Random::next());
    base::Random::seed(3);
    folder.write("map.json", R"({"blocks":[[7,7]],"items":[]})");
    auto first = copy.makeMap();
    EXPECT_EQ(first->path, path);
    EXPECT_EQ(first->blocks->toArray(), direct->blocks->toArray());
    EXPECT_EQ(first->levelItems->toArray(), direct->levelItems->toArray());
    ASSERT_EQ(first->items->toArray(), direct->items->toArray());
    for (const auto& [x, y] : direct->items->toArray()) {
        EXPECT_EQ(first->items->get(int(x), int(y))->animationTime, direct->items->get(int(x), int(y))->animationTime);
    }

    // Taken once: every copy of the level now reads the file as it is.
    EXPECT_EQ(level.makeMap()->blocks->toArray(), (Cells{{7, 7}}));
    EXPECT_EQ(game::Level(path).makeMap()->blocks->toArray(), (Cells{{7, 7}}));
    // A reload of the first map reads the file too.
    first->reload();
    EXPECT_EQ(first->blocks->toArray(), (Cells{{7, 7}}));
}

// A game started again builds its map from what was read at the start: the
// file may have changed or gone since.
TEST(GameMap, ALevelReadToKeepServesEveryMapWithoutTheFile) {
    TempFolder folder;
    std::string path = folder.write("map.json", R"({"blocks":[[1,1],[-2,0]],"items":[[0,3],[4,4]]})");
    const game::Level level = game::Level::readToKeep(path);
    std::filesystem::remove(path);
    auto sorted = [](Cells cells) {
        std::sort(cells.begin(), cells.end());
        return cells;
    };
    for (int game = 0; game < 3; ++game) {
        auto map = level.makeMap();
        EXPECT_EQ(sorted(map->blocks->toArray()), (Cells{{-2, 0}, {1, 1}})) << game;
        EXPECT_EQ(map->items->toArray().size(), 2u) << game;
        // A game changes its own map, never the kept one.
        map->blocks->setFilled(5, 5, true, std::make_shared<bool>(true));
        map->items->setFilled(0, 3, false, nullptr);
    }
}
