// The records file: what a game saves comes back merged with what was there,
// two games saving at once lose nothing, a file that cannot be used costs
// the player one warning and never what it held, and a folder that cannot
// be written never stops the game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "progress/RecordsFile.h"
#include "tests/support/files/TempFolder.h"

namespace {

using nlohmann::json;
using progress::BestRun;
using progress::LevelRecord;
using progress::Records;
using progress::RecordsFile;

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

BestRun run(int updates, bool verified, const std::string& script = "key 5 D down\n") {
    return {updates, "2024-05-01", verified, script};
}

// A file of the current shape with one level's record.
const char* const goodFile = R"({
  "version": 1,
  "levels": {
    "aa01": {"name": "First light", "attempts": 4, "wins": 2,
             "best": {"updates": 700, "date": "2024-04-30", "verified": true, "run": "old run\n"}}
  }
})";

TEST(RecordsFile, WhatIsAppliedComesBackFromANewFolderAndAnotherGame) {
    TempFolder folder;
    // The data folder and the game's folder in it are made on the first save.
    const std::string vyn = folder.file("data/vyn");
    std::ostringstream warnings;
    RecordsFile file(vyn, warnings);
    EXPECT_EQ(file.load(), Records{});

    const BestRun best = run(1234, true, "# a script\nkey 3 D down\nkey 90 D up\n");
    const auto saved = file.apply({"c0ffee", "First light", 1, 1, best});
    const Records expected{{"c0ffee", LevelRecord{"First light", 1, 1, best}}};
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, expected);
    EXPECT_EQ(file.path(), std::filesystem::path(vyn) / "records.json");

    std::ostringstream otherWarnings;
    EXPECT_EQ(RecordsFile(vyn, otherWarnings).load(), expected);
    // Readable by a person: one key a line, and the version it is written in.
    const json written = json::parse(TempFolder::read(file.path().string()));
    EXPECT_EQ(written["version"], 1);
    EXPECT_EQ(TempFolder::read(file.path().string()), written.dump(2) + "\n");
    EXPECT_EQ(warnings.str() + otherWarnings.str(), "");
}

TEST(RecordsFile, CountsAddUpAndTheBestRunChangesOnlyForABetterOne) {
    TempFolder folder;
    std::ostringstream warnings;
    RecordsFile file(folder.file("vyn"), warnings);
    ASSERT_TRUE(file.apply({"other", "Other level", 3, 0, std::nullopt}));

    struct Step {
        const char* name;
        RecordsFile::Change change;
        LevelRecord after;
        std::optional<std::string> failedCheck = std::nullopt;
    };
    const Step steps[] = {
        {"a start, no best yet", {"aa01", "Old name", 1, 0, std::nullopt}, {"Old name", 1, 0, std::nullopt}},
        {"an unverified win", {"aa01", "First light", 1, 1, run(900, false)}, {"First light", 2, 1, run(900, false)}},
        {"a verified win, slower", {"aa01", "", 1, 1, run(950, true)}, {"First light", 3, 2, run(950, true)}},
        {"an unverified win, faster", {"aa01", "", 1, 1, run(10, false)}, {"First light", 4, 3, run(950, true)}},
        {"a verified win, as fast", {"aa01", "", 1, 1, run(950, true, "x")}, {"First light", 5, 4, run(950, true)}},
        {"a verified win, faster", {"aa01", "", 2, 1, run(940, true)}, {"First light", 7, 5, run(940, true)}},
        {"negative counts add nothing", {"aa01", "", -5, -5, std::nullopt}, {"First light", 7, 5, run(940, true)}},
        {"a failed check of another run", {"aa01", "", 0, 0, std::nullopt}, {"First light", 7, 5, run(940, true)}, "x"},
        {"a failed check of the best run",
         {"aa01", "", 0, 0, std::nullopt},
         {"First light", 7, 5, run(940, false)},
         run(940, true).run},
        {"then an unverified run, slower, does not replace it",
         {"aa01", "", 0, 0, run(941, false)},
         {"First light", 7, 5, run(940, false)}},
        {"and a verified one, slower, does", {"aa01", "", 0, 0, run(960, true)}, {"First light", 7, 5, run(960, true)}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const auto saved = file.apply(step.change, step.failedCheck);
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->at("aa01"), step.after);
        EXPECT_EQ(file.load(), *saved) << "what is returned is what is written";
        EXPECT_EQ(saved->at("other"), (LevelRecord{"Other level", 3, 0, std::nullopt})) << "other levels stay";
    }
    EXPECT_EQ(warnings.str(), "");
}

TEST(RecordsFile, KeysOfOtherVersionsAreWrittenBack) {
    TempFolder folder;
    const std::string path = folder.write("records.json", R"({
      "version": 1, "player": {"colour": "teal"},
      "levels": {
        "aa01": {"name": "First light", "attempts": 4, "wins": 2, "stars": 3,
                 "best": {"updates": 700, "verified": true, "run": "r", "inputs": 12}},
        "bb02": {"attempts": 1, "medal": "gold"}
      }
    })");
    std::ostringstream warnings;
    RecordsFile file(folder.file(""), warnings);
    ASSERT_TRUE(file.apply({"aa01", "First light", 1, 0, run(800, true)}));
    json written = json::parse(TempFolder::read(path));
    EXPECT_EQ(written["player"], json({{"colour", "teal"}}));
    EXPECT_EQ(written["levels"]["aa01"]["stars"], 3);
    EXPECT_EQ(written["levels"]["aa01"]["attempts"], 5);
    EXPECT_EQ(written["levels"]["aa01"]["best"]["inputs"], 12) << "the best run was not replaced";
    EXPECT_EQ(written["levels"]["bb02"]["medal"], "gold");

    // A best run that is replaced takes its own keys with it.
    ASSERT_TRUE(file.apply({"aa01", "First light", 1, 1, run(600, true)}));
    written = json::parse(TempFolder::read(path));
    EXPECT_EQ(written["levels"]["aa01"]["best"],
              json({{"updates", 600}, {"date", "2024-05-01"}, {"verified", true}, {"run", "key 5 D down\n"}}));
    EXPECT_EQ(written["levels"]["aa01"]["stars"], 3);
    EXPECT_EQ(warnings.str(), "");
}

TEST(RecordsFile, AnUnusableFileWarnsOnceIsLeftAloneAndIsKeptAsideBeforeTheNextSave) {
    struct Case {
        const char* name;
        std::string text;
        const char* problem;  // in the warning
    };
    const Case cases[] = {
        {"not JSON", "{\"version\": 1, \"levels\": {", "not valid JSON"},
        {"a NUL byte", std::string("{\"version\":\0 1}", 15), "not valid JSON"},
        {"empty", "", "not valid JSON"},
        {"not an object", "[1, 2]", "not a JSON object"},
        {"no version", R"({"levels": {}})", "has no \"version\" number"},
        {"a version never written", R"({"version": 0, "levels": {}})", "records version 0 is not known"},
        {"levels not an object", R"({"version": 1, "levels": []})", "\"levels\" is not a JSON object"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.write("records.json", c.text);
        std::ostringstream warnings;
        RecordsFile file(folder.file(""), warnings);
        EXPECT_EQ(file.load(), Records{});
        const std::string warning = warnings.str();
        EXPECT_EQ(lineCount(warning), 1) << warning;
        EXPECT_TRUE(contains(warning, "vyn: warning: " + path + ": " + c.problem)) << warning;
        EXPECT_EQ(TempFolder::read(path), c.text) << "only read";

        // A run is saved: the old file is kept, whole, beside, and a new one
        // holds the run alone.
        warnings.str("");
        const auto saved = file.apply({"aa01", "First light", 1, 1, run(600, true)});
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, (Records{{"aa01", {"First light", 1, 1, run(600, true)}}}));
        EXPECT_EQ(TempFolder::read(path + ".unreadable"), c.text);
        EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
        EXPECT_TRUE(contains(warnings.str(), path + ".unreadable")) << warnings.str();
        std::ostringstream quiet;
        EXPECT_EQ(RecordsFile(folder.file(""), quiet).load(), *saved);
        EXPECT_EQ(quiet.str(), "");
    }
}

TEST(RecordsFile, AnUnusableFileNeverTakesTheNameOfOneKeptBefore) {
    TempFolder folder;
    const std::string path = folder.write("records.json", "broken twice");
    folder.write("records.json.unreadable", "broken once");
    std::ostringstream warnings;
    ASSERT_TRUE(RecordsFile(folder.file(""), warnings).apply({"aa01", "", 1, 0, std::nullopt}));
    EXPECT_EQ(TempFolder::read(path + ".unreadable"), "broken once");
    EXPECT_EQ(TempFolder::read(path + ".unreadable-2"), "broken twice");
}

TEST(RecordsFile, ALevelsRecordOfTheWrongShapeCostsThatLevelAloneAndItsTextIsKept) {
    struct Case {
        const char* name;
        const char* entry;
        const char* problem;  // in the warning
    };
    const Case cases[] = {
        {"not an object", R"(["First light"])", "is not a JSON object"},
        {"a name that is a number", R"({"name": 7})", "\"name\" is not a string"},
        {"negative attempts", R"({"attempts": -1})", "\"attempts\" is not a whole number"},
        {"wins with a fraction", R"({"wins": 1.5})", "\"wins\" is not a whole number"},
        {"attempts too many to count", R"({"attempts": 2147483648})", "\"attempts\" is not a whole number"},
        {"a best run that is a list", R"({"best": [700]})", "\"best\" is not a JSON object"},
        {"a best run without a time", R"({"best": {"verified": true}})", "\"best\" has no \"updates\""},
        {"a time in words", R"({"best": {"updates": "fast"}})", "\"updates\" is not a whole number"},
        {"verified in words", R"({"best": {"updates": 5, "verified": "yes"}})", "\"verified\" is not true or false"},
        {"a recording that is no text", R"({"best": {"updates": 5, "run": 3}})", "\"run\" is not a string"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string text = std::string(R"({"version": 1, "levels": {"aa01": {"name": "First light",
            "attempts": 4, "wins": 2}, "bad2": )") +
                                 c.entry + "}}";
        const std::string path = folder.write("records.json", text);
        std::ostringstream warnings;
        RecordsFile file(folder.file(""), warnings);
        const Records good{{"aa01", {"First light", 4, 2, std::nullopt}}};
        EXPECT_EQ(file.load(), good);
        EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
        EXPECT_TRUE(contains(warnings.str(), path + ": the record of level \"bad2\": " + c.problem)) << warnings.str();

        // The save keeps the whole text aside, then writes the good levels.
        const auto saved = file.apply({"aa01", "", 1, 0, std::nullopt});
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, (Records{{"aa01", {"First light", 5, 2, std::nullopt}}}));
        EXPECT_EQ(TempFolder::read(path + ".unreadable"), text);
        std::ostringstream quiet;
        EXPECT_EQ(RecordsFile(folder.file(""), quiet).load(), *saved);
        EXPECT_EQ(quiet.str(), "");
    }
}

TEST(RecordsFile, ManyLevelsOfTheWrongShapeGiveOneWarningLine) {
    TempFolder folder;
    const std::string path = folder.write(
        "records.json", R"({"version": 1, "levels": {"a": 1, "b": {"wins": "x"}, "c": {"attempts": 1}, "d": []}})");
    std::ostringstream warnings;
    EXPECT_EQ(RecordsFile(folder.file(""), warnings).load(), (Records{{"c", {"", 1, 0, std::nullopt}}}));
    EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
    EXPECT_TRUE(contains(warnings.str(), "(and 2 more)")) << warnings.str();
}

TEST(RecordsFile, AFileOfANewerVersionIsNeitherUsedNorChanged) {
    TempFolder folder;
    const std::string text = R"({"version": 2, "levels": {"aa01": {"attempts": "many"}}})";
    const std::string path = folder.write("records.json", text);
    std::ostringstream warnings;
    RecordsFile file(folder.file(""), warnings);
    EXPECT_EQ(file.load(), Records{});
    EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
    EXPECT_TRUE(contains(warnings.str(), path + ": written by a newer version")) << warnings.str();

    warnings.str("");
    EXPECT_EQ(file.apply({"aa01", "", 1, 0, std::nullopt}), std::nullopt);
    EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
    EXPECT_EQ(TempFolder::read(path), text);
    EXPECT_FALSE(std::filesystem::exists(path + ".unreadable"));
}

TEST(RecordsFile, AFolderThatCannotBeWrittenGivesOneWarningAndLosesNothing) {
    // Ways the save fails for every user, root among them.
    struct Case {
        const char* name;
        const char* folder;  // inside the test's folder
        const char* inTheWay;
        const char* named;  // in the warning
    };
    const Case cases[] = {
        {"a file where a folder should be", "data/vyn", "data", "data/vyn"},
        {"a folder where the lock should be", "vyn", "vyn/records.json.lock/", "vyn/records.json.lock"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string inTheWay = c.inTheWay;
        if (inTheWay.back() == '/') {
            std::filesystem::create_directories(folder.file(inTheWay));
            folder.write("vyn/records.json", goodFile);
        } else {
            folder.write(inTheWay, "in the way");
        }
        std::ostringstream warnings;
        RecordsFile file(folder.file(c.folder), warnings);
        const Records before = file.load();
        EXPECT_EQ(file.apply({"aa01", "First light", 1, 1, run(10, true)}), std::nullopt);
        EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
        EXPECT_TRUE(contains(warnings.str(), folder.file(c.named))) << warnings.str();
        EXPECT_EQ(file.load(), before) << "the records are as they were";
        if (inTheWay.back() == '/') {
            EXPECT_EQ(TempFolder::read(file.path().string()), goodFile);
        } else {
            EXPECT_EQ(TempFolder::read(folder.file(inTheWay)), "in the way");
        }
    }
}

TEST(RecordsFile, AReadOnlyFolderGivesOneWarningAndLosesNothing) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    TempFolder folder;
    std::filesystem::create_directory(folder.file("vyn"));
    const std::string path = folder.write("vyn/records.json", goodFile);
    ::chmod(folder.file("vyn").c_str(), 0555);
    std::ostringstream warnings;
    RecordsFile file(folder.file("vyn"), warnings);
    const Records before = file.load();
    EXPECT_EQ(file.apply({"aa01", "First light", 1, 1, run(10, true)}), std::nullopt);
    ::chmod(folder.file("vyn").c_str(), 0755);
    EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
    EXPECT_TRUE(contains(warnings.str(), folder.file("vyn/records.json"))) << warnings.str();
    EXPECT_EQ(TempFolder::read(path), goodFile);
    EXPECT_EQ(file.load(), before);
}

TEST(RecordsFile, NoFolderOfThePlayersMeansNothingIsReadOrWritten) {
    std::ostringstream warnings;
    RecordsFile file({}, warnings);
    EXPECT_EQ(file.load(), Records{});
    EXPECT_EQ(file.apply({"aa01", "First light", 1, 1, run(10, true)}), std::nullopt);
    EXPECT_EQ(warnings.str(), "");
}

// Applies `saves` changes to the shared level and one to a level of its own,
// as a game of its own; the exit status says whether every one was saved
// without a warning.
[[noreturn]] void saveAsAGame(const std::string& folder, int game, int saves, int startSignal) {
    char go = 0;
    if (::read(startSignal, &go, 1) != 1) ::_exit(3);
    std::ostringstream warnings;
    RecordsFile file(folder, warnings);
    bool saved = bool(file.apply({"game" + std::to_string(game), "", 1, 0, std::nullopt}));
    for (int i = 0; i < saves; ++i) {
        // Every game's times differ, so one run alone is the fastest.
        const BestRun candidate = run(10000 - 2 * i - game, i % 3 != 0, "game " + std::to_string(game));
        saved = saved && file.apply({"shared", "Shared", 1, i % 2, candidate});
    }
    ::_exit(saved && warnings.str().empty() ? 0 : 1);
}

TEST(RecordsFile, TwoGamesSavingAtOnceKeepEveryRun) {
    TempFolder folder;
    const std::string vyn = folder.file("vyn");
    constexpr int saves = 60;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t games[2];
    for (int game = 0; game < 2; ++game) {
        games[game] = ::fork();
        ASSERT_GE(games[game], 0);
        if (games[game] == 0) saveAsAGame(vyn, game, saves, start[0]);
    }
    // Both are waiting: let them go at once.
    ASSERT_EQ(::write(start[1], "gg", 2), 2);
    for (pid_t game : games) {
        int status = 0;
        ASSERT_EQ(::waitpid(game, &status, 0), game);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a game's save failed or warned";
    }
    ::close(start[0]);
    ::close(start[1]);

    std::ostringstream warnings;
    const Records records = RecordsFile(vyn, warnings).load();
    EXPECT_EQ(warnings.str(), "");
    auto record = [&](const std::string& level) {
        const auto found = records.find(level);
        return found == records.end() ? LevelRecord{} : found->second;
    };
    EXPECT_EQ(record("game0").attempts, 1);
    EXPECT_EQ(record("game1").attempts, 1);
    const LevelRecord shared = record("shared");
    EXPECT_EQ(shared.attempts, 2 * saves);
    EXPECT_EQ(shared.wins, saves);
    std::optional<BestRun> fastest;
    for (int game = 0; game < 2; ++game) {
        for (int i = 0; i < saves; ++i) {
            const BestRun candidate = run(10000 - 2 * i - game, i % 3 != 0, "game " + std::to_string(game));
            if (progress::replaces(candidate, fastest)) fastest = candidate;
        }
    }
    EXPECT_EQ(shared.best, fastest);
    // Nothing left behind but the file and its lock.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(vyn), std::filesystem::directory_iterator()), 2);
}

}  // namespace
