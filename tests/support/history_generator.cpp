#include "support/history_generator.h"

#include "core/issue.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace yilou::testing {

std::vector<history::DrawRecord> generateDraws(const GeneratedHistory& settings) {
    std::mt19937_64 random(settings.seed);
    std::bernoulli_distribution missing(settings.missingShare);
    std::vector<int> pool(static_cast<std::size_t>(settings.highestNumber));
    std::iota(pool.begin(), pool.end(), 1);

    std::vector<history::DrawRecord> records;
    records.reserve(settings.draws);
    history::Issue issue = settings.firstIssue;
    while (records.size() < settings.draws) {
        if (!missing(random)) {
            // A partial Fisher-Yates shuffle: the first five entries are the draw.
            for (int i = 0; i < 5; ++i) {
                std::uniform_int_distribution<std::size_t> pick(i, pool.size() - 1);
                std::swap(pool[i], pool[pick(random)]);
            }
            history::PositionValues numbers{pool[0], pool[1], pool[2], pool[3], pool[4]};
            records.push_back(history::DeriveAttributes(issue, numbers, settings.rules));
        }
        // The last draw may have the last issue there can be.
        if (records.size() < settings.draws)
            issue = history::proposeNextIssue(issue, settings.drawsPerDay);
    }
    return records;
}

std::vector<history::DrawRecord> generateDraws(std::size_t count, std::uint64_t seed) {
    GeneratedHistory settings;
    settings.draws = count;
    settings.seed = seed;
    return generateDraws(settings);
}

std::vector<history::Issue> issueSchedule(history::Issue first, history::Issue last,
                                          int drawsPerDay,
                                          const std::vector<history::Issue>& gaps) {
    std::vector<history::Issue> issues;
    for (history::Issue issue = first; issue <= last;
         issue = history::proposeNextIssue(issue, drawsPerDay))
        if (std::find(gaps.begin(), gaps.end(), issue) == gaps.end())
            issues.push_back(issue);
    return issues;
}

history::Snapshot snapshotOf(const std::vector<history::DrawRecord>& records) {
    history::Snapshot snapshot;
    snapshot.reserve(records.size());
    for (const auto& record : records)
        snapshot.push(record);
    return snapshot;
}

history::Snapshot snapshotOfIssues(const std::vector<history::Issue>& issues) {
    history::Snapshot snapshot;
    for (const history::Issue issue : issues) {
        history::DrawRecord record;
        record.issue = issue;
        snapshot.push(record);
    }
    return snapshot;
}

} // namespace yilou::testing
