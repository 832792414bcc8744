#pragma once

#include <cstdint>

namespace base {

// The program's one source of pseudo-random numbers. A given seed yields the
// same sequence on every run and with every standard library: the engine is
// std::mt19937_64, whose output the standard fixes, and the conversion to
// [0, 1) is done here rather than by a library distribution.
class Random {
public:
    // The seed the sequence starts from when none is given.
    static constexpr std::uint64_t defaultSeed = 5489;

    // Restarts the sequence; before any call the engine runs from its
    // default seed.
    static void seed(std::uint64_t value);
    // Uniform in [0, 1), in steps of 2^-53.
    static double next();
};

}  // namespace base
