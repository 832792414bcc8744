// The settings file: what a player chose comes back, a file that cannot be
// used costs the player one warning and never what it held, and a folder
// that cannot be written never stops the game.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "frontend/Settings.h"
#include "tests/support/files/TempFolder.h"

namespace {

using frontend::Settings;
using frontend::SettingsFile;

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(SettingsFile, WhatIsSavedComesBackAndAMissingFileGivesTheDefaults) {
    TempFolder folder;
    const std::string path = folder.file("config/vyn/settings.json");
    std::ostringstream warnings;
    SettingsFile file(path, warnings);
    EXPECT_EQ(file.load(), Settings{});
    EXPECT_TRUE(Settings{}.fitWindow);
    EXPECT_FALSE(Settings{}.fullscreen);

    // The folders are made when there is something to keep.
    ASSERT_TRUE(file.save({true, false}));
    SettingsFile again(path, warnings);
    EXPECT_EQ(again.load(), (Settings{true, false}));

    const Settings sound{false, true, false, 0, 100, true};
    ASSERT_TRUE(file.save(sound));
    EXPECT_EQ(SettingsFile(path, warnings).load(), sound);
    EXPECT_EQ(warnings.str(), "");
}

// A volume must be a whole number of percent: anything else keeps its
// default, with a warning naming it, and the other settings are read.
TEST(SettingsFile, AVolumeOutsideZeroToAHundredKeepsItsDefault) {
    const struct {
        const char* value;
        bool accepted;
    } cases[] = {{"0", true},     {"100", true},     {"55", true},   {"-1", false},         {"101", false},
                 {"50.5", false}, {"\"80\"", false}, {"1e2", false}, {"99999999999", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        TempFolder folder;
        const std::string path = folder.write(
            "settings.json", std::string(R"({"ghost": false, "ambienceVolume": )") + c.value + R"(, "muted": true})");
        std::ostringstream warnings;
        const Settings loaded = SettingsFile(path, warnings).load();
        EXPECT_FALSE(loaded.ghost);
        EXPECT_TRUE(loaded.muted);
        if (c.accepted) {
            EXPECT_EQ(loaded.ambienceVolume, std::stoi(c.value));
            EXPECT_EQ(warnings.str(), "");
        } else {
            EXPECT_EQ(loaded.ambienceVolume, Settings{}.ambienceVolume);
            EXPECT_EQ(lineCount(warnings.str()), 1);
            EXPECT_NE(warnings.str().find("\"ambienceVolume\" is not a whole number from 0 to 100"), std::string::npos)
                << warnings.str();
        }
    }
}

TEST(SettingsFile, AnUnusableFileWarnsOnceIsLeftAloneAndIsKeptAsideBeforeANewSave) {
    struct Case {
        const char* name;
        std::string text;
        const char* problem;  // in the warning
    };
    const Case cases[] = {
        {"not JSON", "{\"fullscreen\": tru", "not valid JSON"},
        {"not an object", "[true, false]", "not a JSON object"},
        {"a NUL byte", std::string("{\"fullscreen\":\0true}", 20), "not valid JSON"},
        {"control characters", "{\"a\n\tb\":", "not valid JSON"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string path = folder.write("settings.json", c.text);
        std::ostringstream warnings;
        SettingsFile file(path, warnings);
        EXPECT_EQ(file.load(), Settings{});
        const std::string warning = warnings.str();
        EXPECT_EQ(lineCount(warning), 1) << warning;
        EXPECT_NE(warning.find(path), std::string::npos) << warning;
        EXPECT_NE(warning.find(c.problem), std::string::npos) << warning;
        EXPECT_EQ(TempFolder::read(path), c.text) << "only read";

        // The player changes a setting: the old file is kept, whole, beside.
        ASSERT_TRUE(file.save({true, true}));
        EXPECT_EQ(TempFolder::read(path + ".unreadable"), c.text);
        std::ostringstream quiet;
        SettingsFile reread(path, quiet);
        EXPECT_EQ(reread.load(), (Settings{true, true}));
        EXPECT_EQ(quiet.str(), "");
    }
}

TEST(SettingsFile, AnUnreadableFileNeverTakesTheNameOfOneKeptBefore) {
    TempFolder folder;
    const std::string path = folder.write("settings.json", "broken twice");
    folder.write("settings.json.unreadable", "broken once");
    std::ostringstream warnings;
    SettingsFile file(path, warnings);
    file.load();
    ASSERT_TRUE(file.save({false, false}));
    EXPECT_EQ(TempFolder::read(path + ".unreadable"), "broken once");
    EXPECT_EQ(TempFolder::read(path + ".unreadable-2"), "broken twice");
}

TEST(SettingsFile, AValueOfTheWrongKindKeepsItsDefaultAndOtherKeysSurviveASave) {
    TempFolder folder;
    const std::string path =
        folder.write("settings.json", R"({"fullscreen": true, "fitWindow": "yes", "volume": {"music": 0.5}})");
    std::ostringstream warnings;
    SettingsFile file(path, warnings);
    EXPECT_EQ(file.load(), (Settings{true, true}));
    EXPECT_EQ(lineCount(warnings.str()), 1);
    EXPECT_NE(warnings.str().find("\"fitWindow\""), std::string::npos) << warnings.str();

    ASSERT_TRUE(file.save({false, false}));
    const std::string saved = TempFolder::read(path);
    EXPECT_NE(saved.find("\"music\": 0.5"), std::string::npos) << "a key of another version is kept: " << saved;
}

TEST(SettingsFile, AFolderThatCannotBeWrittenGivesAWarningAndNoFile) {
    TempFolder folder;
    // A file where the folder should be: no user can make the folder.
    folder.write("config", "in the way");
    const std::string path = folder.file("config/vyn/settings.json");
    std::ostringstream warnings;
    SettingsFile file(path, warnings);
    EXPECT_EQ(file.load(), Settings{});
    EXPECT_FALSE(file.save({true, true}));
    EXPECT_EQ(lineCount(warnings.str()), 1) << warnings.str();
    EXPECT_NE(warnings.str().find(folder.file("config/vyn")), std::string::npos) << warnings.str();
    EXPECT_EQ(TempFolder::read(folder.file("config")), "in the way");
}

TEST(SettingsFile, NoFolderOfThePlayersMeansNothingIsReadOrWritten) {
    std::ostringstream warnings;
    SettingsFile file({}, warnings);
    EXPECT_EQ(file.load(), Settings{});
    EXPECT_FALSE(file.save({true, true}));
    EXPECT_EQ(warnings.str(), "");
}

}  // namespace
