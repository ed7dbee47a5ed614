#include "support/test_seed.h"

#include <cstdlib>
#include <random>

namespace yilou::testing {

std::uint64_t runSeed() {
    if (const char* fixed = std::getenv("YILOU_TEST_SEED"))
        return std::strtoull(fixed, nullptr, 10);
    return std::random_device{}();
}

} // namespace yilou::testing
