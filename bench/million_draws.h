#pragma once

#include "core/snapshot.h"

namespace yilou::bench {

/// A million draws of an 11-number game, 84 a day, with one issue in a hundred missing: made
/// once per process.
const history::Snapshot& millionDrawsWithHoles();

} // namespace yilou::bench
