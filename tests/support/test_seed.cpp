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

} // namespace yilou::testing
