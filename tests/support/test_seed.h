#pragma once

#include <cstdint>

namespace yilou::testing {

/// The seed of a randomised test: YILOU_TEST_SEED when set (to rerun a failure), else a fresh
/// one.
std::uint64_t runSeed();

} // namespace yilou::testing
