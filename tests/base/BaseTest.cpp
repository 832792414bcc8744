#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Random.h"
#include "base/Trace.h"

TEST(Trace, WritesSourceLineMessageAndExtras) {
    testing::internal::CaptureStdout();
    base::trace("GameMap", 48, "saved map to", std::string("assets/map.json"));
    base::trace("Somewhere", 7, "values", 3, -2.5, 0.1, true, "x");
    base::trace("Plain", 1, "no extras");
    VYN_TRACE("here");
    int line = __LINE__ - 1;
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "GameMap:48: saved map to,assets/map.json\n"
              "Somewhere:7: values,3,-2.5,0.1,true,x\n"
              "Plain:1: no extras\n"
              "BaseTest.cpp:" +
                  std::to_string(line) + ": here\n");
}

TEST(Random, SeededSequencesRepeatAndStayInRange) {
    auto draw = [](int count) {
        std::vector<double> values;
        for (int i = 0; i < count; ++i) values.push_back(base::Random::next());
        return values;
    };
    base::Random::seed(42);
    std::vector<double> first = draw(1000);
    base::Random::seed(42);
    EXPECT_EQ(draw(1000), first);
    base::Random::seed(43);
    EXPECT_NE(draw(1000), first);

    double sum = 0;
    for (double v : first) {
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        sum += v;
    }
    EXPECT_NEAR(sum / first.size(), 0.5, 0.05);
}

TEST(Random, SequenceIsFixedAcrossLibraries) {
    // mt19937_64's output is fixed by the C++ standard: its 10000th value from
    // the default seed is 9981545732273789042. The conversion is ours.
    base::Random::seed(5489);
    for (int i = 0; i < 9999; ++i) base::Random::next();
    EXPECT_EQ(base::Random::next(), static_cast<double>(9981545732273789042ull >> 11) * 0x1.0p-53);
}
