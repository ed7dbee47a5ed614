#pragma once

#include <cstdint>
#include <random>

namespace yilou::testing {

/// The seed of the randomised reference checks: a fixed one, so that every run checks the
/// same cases; YILOU_TEST_SEED=N reruns with seed N, YILOU_TEST_SEED=random picks a new one
/// (the failure message names it).
std::uint64_t testSeed();

/// The seed of a random walk: a new one on every run, so that each run walks another way (the
/// failure message names it); YILOU_TEST_SEED=N reruns with seed N.
std::uint64_t walkSeed();

using Rng = std::mt19937_64;

/// A whole number in low..high, both included.
int uniform(Rng& rng, int low, int high);

/// True with probability p.
bool chance(Rng& rng, double p);

} // namespace yilou::testing
