#include "support/test_seed.h"

#include <cstdlib>
#include <random>
#include <string_view>

namespace yilou::testing {

std::uint64_t testSeed() {
    constexpr std::uint64_t kFixedSeed = 20170812;
    const char* asked = std::getenv("YILOU_TEST_SEED");
    if (!asked || !*asked)
        return kFixedSeed;
    if (std::string_view(asked) == "random")
        return std::random_device{}();
    return std::strtoull(asked, nullptr, 10);
}

std::uint64_t walkSeed() {
    const char* asked = std::getenv("YILOU_TEST_SEED");
    return asked && *asked ? testSeed() : std::random_device{}();
}

int uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool chance(Rng& rng, double p) {
    return std::bernoulli_distribution(p)(rng);
}

} // namespace yilou::testing
