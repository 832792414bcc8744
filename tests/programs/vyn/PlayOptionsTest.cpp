// vyn's command line: its level, its outputs and what it refuses.
#include <gtest/gtest.h>

#include "programs/vyn/PlayOptions.h"

namespace {

TEST(PlayOptions, ReadsTheGamesCommandLine) {
    auto parsed = runs::parsePlayOptions({"--record", "r.txt", "--trace", "-", "../l.json"}, "/start/here");
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->level, "/start/l.json");
    EXPECT_EQ(parsed.options->record, "/start/here/r.txt");
    EXPECT_EQ(parsed.options->trace, "-");

    auto none = runs::parsePlayOptions({}, "/start");
    ASSERT_TRUE(none.options);
    EXPECT_FALSE(none.options->level) << "the game's own level";
    EXPECT_TRUE(none.options->record.empty());
    EXPECT_TRUE(runs::parsePlayOptions({"x", "--help"}, "/").help);
    EXPECT_TRUE(runs::parsePlayOptions({"--version"}, "/").version);

    const std::pair<std::vector<std::string>, const char*> bad[] = {
        {{"a.json", "b.json"}, "only one level may be given"},
        {{""}, "\"\": the level file name is empty"},
        {{"--record"}, "--record needs a file name"},
        {{"--record", "-"}, "--record needs a file, not standard output"},
        {{"--fast"}, "unknown option --fast"},
    };
    for (const auto& [args, message] : bad) {
        auto refused = runs::parsePlayOptions(args, "/");
        EXPECT_FALSE(refused.options);
        EXPECT_EQ(refused.error, message);
    }
}

}  // namespace
