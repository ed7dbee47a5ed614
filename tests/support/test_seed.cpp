#include "support/test_seed.h"

#include <cstdlib>

namespace yilou::testing {

std::uint64_t runSeed() {
    if (const char* fixed = std::getenv("YILOU_TEST_SEED"))
        return std::strtoull(fixed, nullptr, 10);
    return std::random_device{}();
}

int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}

} // namespace yilou::testing
