#include "million_draws.h"

#include "support/history_generator.h"

namespace yilou::bench {

const history::Snapshot& millionDrawsWithHoles() {
    static const history::Snapshot snapshot = [] {
        testing::GeneratedHistory settings;
        settings.draws = 1000000;
        settings.seed = 20170812;
        settings.missingShare = 0.01;
        return testing::snapshotOf(testing::generateDraws(settings));
    }();
    return snapshot;
}

} // namespace yilou::bench
