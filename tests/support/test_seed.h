#pragma once

#include <cstdint>

namespace yilou::testing {

/// The seed of the randomised reference checks: a fixed one, so that every run checks the
/// same cases; YILOU_TEST_SEED=N reruns with seed N, YILOU_TEST_SEED=random picks a new one
/// (the failure message names it).
std::uint64_t testSeed();

} // namespace yilou::testing
