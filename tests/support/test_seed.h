#pragma once

#include <cstdint>
#include <random>

namespace yilou::testing {

/// The seed of a randomised test: YILOU_TEST_SEED when set (to rerun a failure), else a fresh
/// one.
std::uint64_t runSeed();

using Rng = std::mt19937_64;

/// A whole number in low..high, both included.
int uniform(Rng& rng, int low, int high);

/// True with probability p.
bool chance(Rng& rng, double p);

} // namespace yilou::testing
