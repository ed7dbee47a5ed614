#include "analysis/ticket_filter.h"

#include "analysis/draw_patterns.h"
#include "analysis/pattern_reader.h"
#include "analysis/play_board.h"
#include "analysis/play_hits.h"

#include <algorithm>

namespace yilou::analysis {

namespace {

/// The draws the current gaps of a filter first look at; doubled until every combination has a
/// hit among them.
constexpr std::size_t kFirstTail = 4096;
/// How many draws of a back-test go by between two progress reports.
constexpr std::size_t kProgressStep = 256;

bool allows(const std::optional<CountSet>& counts, int count) {
    return !counts || (*counts >> count & 1);
}

bool allows(const std::optional<ValueRange>& range, int value) {
    return !range || range->holds(value);
}

/// The combinations of the play that meet the number conditions: one flag each and one for the
/// spare index of the hit tables, which is never a ticket.
std::vector<std::uint8_t> numberFlags(const HitTable& table, int highestNumber,
                                      const TicketConditions& conditions) {
    std::vector<std::uint8_t> flags(table.combinations.size() + 1, 0);
    for (std::size_t c = 0; c < table.combinations.size(); ++c)
        flags[c] = meetsNumberConditions(table.combinations[c], highestNumber, conditions);
    return flags;
}

/// The current gaps of a play over the whole history, from tallies over its newest draws only:
/// as many as it takes for every combination to have a hit among them, or all of them. A gap
/// that closes inside the range does not depend on where the range starts.
std::vector<std::int32_t> currentGapsNow(const history::Snapshot& snapshot, Play play,
                                         int highestNumber) {
    std::vector<std::int32_t> gaps;
    if (snapshot.empty()) { // one past the newest draw is IDX 1
        gaps.assign(combinationCount(play, highestNumber), 1);
        return gaps;
    }
    const Play plays[] = {play};
    for (std::size_t tail = kFirstTail;; tail *= 2) {
        const std::size_t first = snapshot.size() > tail ? snapshot.size() - tail : 0;
        PlayTallies(snapshot, {first, snapshot.size() - 1}, highestNumber, plays)
            .currentGaps(play, gaps);
        const auto drawn = static_cast<std::int32_t>(snapshot.size() - first);
        if (first == 0 ||
            std::all_of(gaps.begin(), gaps.end(), [&](std::int32_t gap) { return gap <= drawn; }))
            return gaps;
    }
}

/// The draws of the game, each as the key of its kind, and per combination the keys that hit
/// it: a set of tickets has a winner in a draw of the game when one of them is hit by its key.
/// Keeps, for the tickets it is told of, how many of the game's draws hit at least one.
class Coverage {
public:
    explicit Coverage(const HitTable& table, const DrawKeys& keys)
        : covers_(keys.keyCount(table.kind), 0), byCombination_(table.combinations.size()) {
        const int size = table.kind == DrawKeyKind::Set ? 5 : static_cast<int>(table.kind);
        for (std::size_t key = 0; key < covers_.size(); ++key) {
            const auto numbers = keys.numbersOf(table.kind, key);
            if (!numbers || numbers->size != size)
                continue;
            ++gameDraws_;
            const CombinationIndex* hit = table.hits(static_cast<DrawKey>(key));
            for (std::size_t j = 0; j < table.stride; ++j)
                if (hit[j] < byCombination_.size())
                    byCombination_[hit[j]].push_back(static_cast<DrawKey>(key));
        }
    }

    void add(std::size_t combination, int delta) {
        for (const DrawKey key : byCombination_[combination]) {
            const std::int32_t before = covers_[key];
            covers_[key] += delta;
            covered_ += (covers_[key] > 0) - (before > 0);
        }
    }

    /// The chance that a random draw hits at least one of the tickets.
    double chance() const {
        return static_cast<double>(covered_) / static_cast<double>(gameDraws_);
    }

private:
    std::vector<std::int32_t> covers_; ///< per key, the tickets it hits
    std::vector<std::vector<DrawKey>> byCombination_;
    std::size_t gameDraws_ = 0;
    std::size_t covered_ = 0;
};

} // namespace

bool meetsNumberConditions(const PlayCombination& ticket, int highestNumber,
                           const TicketConditions& c) {
    const auto holdsAll =
        std::all_of(c.must.begin(), c.must.end(), [&](int number) { return ticket.holds(number); });
    const auto holdsNone = std::none_of(c.exclude.begin(), c.exclude.end(),
                                        [&](int number) { return ticket.holds(number); });
    if (!holdsAll || !holdsNone)
        return false;
    int sum = 0, smallest = highestNumber, largest = 0, odd = 0, big = 0, prime = 0, pairs = 0;
    for (int j = 0; j < ticket.size; ++j) {
        const int number = ticket.numbers[j];
        sum += number;
        smallest = std::min(smallest, number);
        largest = std::max(largest, number);
        odd += number % 2;
        big += isBigNumber(number, highestNumber);
        prime += isPrimeNumber(number);
        pairs += ticket.holds(number + 1);
    }
    return allows(c.sum, sum) && allows(c.span, largest - smallest) && allows(c.odd, odd) &&
           allows(c.big, big) && allows(c.prime, prime) && allows(c.consecutive, pairs);
}

std::vector<PlayCombination> filterTickets(const history::Snapshot& snapshot, Play play,
                                           int highestNumber, const TicketConditions& conditions) {
    const HitTable& table = HitTable::of(play, highestNumber);
    const auto flags = numberFlags(table, highestNumber, conditions);
    std::vector<std::int32_t> gaps;
    if (conditions.omission)
        gaps = currentGapsNow(snapshot, play, highestNumber);
    std::vector<PlayCombination> tickets;
    for (std::size_t c = 0; c < table.combinations.size(); ++c)
        if (flags[c] && (gaps.empty() || conditions.omission->holds(gaps[c])))
            tickets.push_back(table.combinations[c]);
    return tickets;
}

std::size_t backtestDraws(const history::Snapshot& snapshot, std::size_t last) {
    return std::min(last, snapshot.empty() ? 0 : snapshot.size() - 1);
}

std::optional<Backtest> backtest(const history::Snapshot& snapshot, Play play, int highestNumber,
                                 const TicketConditions& conditions, std::size_t last,
                                 const BacktestProgress& progress) {
    const HitTable& table = HitTable::of(play, highestNumber);
    const DrawKeys& keys = DrawKeys::of(highestNumber);
    const std::size_t count = backtestDraws(snapshot, last);
    const std::size_t first = snapshot.size() - count;
    const auto candidates = numberFlags(table, highestNumber, conditions);
    const double probability = playProbability(play, highestNumber);

    // The tickets of the draw in hand, and the game's draws they cover.
    std::vector<std::uint8_t> kept(candidates.size(), 0);
    std::int32_t tickets = 0;
    Coverage coverage(table, keys);
    const auto keep = [&](std::size_t c, bool now) {
        if (kept[c] == now)
            return;
        kept[c] = now;
        tickets += now ? 1 : -1;
        coverage.add(c, now ? 1 : -1);
    };
    std::optional<PlayTallies> tallies;
    std::vector<std::int32_t> gaps;
    if (conditions.omission && count > 0) {
        const Play plays[] = {play};
        tallies.emplace(snapshot, IndexRange{0, first - 1}, highestNumber, plays, first);
    } else {
        for (std::size_t c = 0; c + 1 < candidates.size(); ++c)
            keep(c, candidates[c]);
    }

    Backtest result;
    result.rows.reserve(count);
    const DrawColumns draws(snapshot);
    for (std::size_t i = first; i < snapshot.size(); ++i) {
        if (progress && (i - first) % kProgressStep == 0 && !progress(i - first, count))
            return std::nullopt;
        if (tallies) {
            tallies->currentGaps(play, gaps);
            for (std::size_t c = 0; c < gaps.size(); ++c)
                keep(c, candidates[c] && conditions.omission->holds(gaps[c]));
            tallies->append(snapshot, i + 1);
        }
        DrawKey key = 0;
        keys.keys(table.kind, draws.columns, i, 1, &key);
        const CombinationIndex* hit = table.hits(key);
        std::int32_t wins = 0;
        for (std::size_t j = 0; j < table.stride; ++j)
            wins += kept[hit[j]];
        result.rows.push_back({i, tickets, wins});
        BacktestTotals& totals = result.totals;
        ++totals.draws;
        totals.tickets += tickets;
        totals.wins += wins;
        totals.drawsWithWin += wins > 0;
        totals.expectedWins += tickets * probability;
        totals.expectedDrawsWithWin += coverage.chance();
    }
    if (progress)
        progress(count, count);
    return result;
}

} // namespace yilou::analysis
