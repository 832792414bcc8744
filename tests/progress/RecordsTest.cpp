// Which run becomes a level's best: a verified run beats any unverified one,
// and between two of the same kind only a faster one wins.
#include <gtest/gtest.h>

#include <optional>

#include "progress/Records.h"

namespace {

using progress::BestRun;

BestRun run(int updates, bool verified) { return {updates, "2024-05-01", verified, "script"}; }

TEST(Replaces, AVerifiedRunIsNeverBeatenByAnUnverifiedOne) {
    struct Case {
        const char* name;
        BestRun candidate;
        std::optional<BestRun> current;
        bool replaces;
    };
    const Case cases[] = {
        {"verified over none", run(900, true), std::nullopt, true},
        {"unverified over none", run(900, false), std::nullopt, true},
        {"verified over a faster unverified", run(900, true), run(100, false), true},
        {"verified over a slower verified", run(899, true), run(900, true), true},
        {"verified over an equal verified", run(900, true), run(900, true), false},
        {"verified over a faster verified", run(901, true), run(900, true), false},
        {"unverified over a slower unverified", run(899, false), run(900, false), true},
        {"unverified over an equal unverified", run(900, false), run(900, false), false},
        {"unverified over a faster unverified", run(901, false), run(900, false), false},
        {"unverified over a slower verified", run(100, false), run(900, true), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(progress::replaces(c.candidate, c.current), c.replaces) << c.name;
    }
}

}  // namespace
