#include "base/Random.h"

#include <random>

static_assert(base::Random::defaultSeed == std::mt19937_64::default_seed);

namespace base {

namespace {

std::mt19937_64& engine() {
    static std::mt19937_64 instance{Random::defaultSeed};
    return instance;
}

}  // namespace

void Random::seed(std::uint64_t value) { engine().seed(value); }

double Random::next() {
    // The top 53 bits fill a double's mantissa exactly.
    return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
}

}  // namespace base
