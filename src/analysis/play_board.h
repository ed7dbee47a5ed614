#pragma once

#include "analysis/issue_range.h"
#include "analysis/play_type.h"
#include "core/issue.h"
#include "core/snapshot.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace yilou::analysis {

/// The newest draws of the range that the hot-and-cold counts look at.
inline constexpr std::array<std::size_t, 3> kRecentDraws{10, 30, 100};

/// The figures of one combination over the range, with the gaps of the overview: the first
/// gap counts from the IDX before the range, the current one to one past the newest draw of
/// the whole history.
struct PlayRow {
    PlayCombination combination;         ///< 组合
    std::int32_t hits = 0;               ///< 出现次数: draws of the range it hits
    double expectedHits = 0;             ///< 理论次数: draws of the range × probability
    std::int32_t currentGap = 0;         ///< 当前遗漏
    std::optional<std::int32_t> lastGap; ///< 上次遗漏: the gap its last hit closed
    std::optional<double> meanGap;       ///< 平均遗漏: the closed gaps' mean
    std::optional<std::int32_t> minGap;  ///< 最小遗漏
    /// 最大遗漏: the longest closed gap; without a hit, the current gap.
    std::int32_t maxGap = 0;
    std::optional<double> ratio;     ///< 大后比: maxGap ÷ currentGap
    double theoreticalGap = 0;       ///< 理论遗漏: 1 ÷ probability
    std::optional<double> dueChance; ///< 欲出几率: currentGap ÷ meanGap
    /// 近10期, 近30期, 近100期: hits among the newest draws of the range (kRecentDraws).
    std::array<std::int32_t, kRecentDraws.size()> recentHits{};
    std::optional<history::Issue> lastIssue; ///< 最后出现: the issue of the last hit

    friend bool operator==(const PlayRow&, const PlayRow&) = default;
};

/// 玩法遗漏: every combination of one play over a range, in playCombinations order, with what a
/// listing of it names besides. A figure without a value is left empty: for a combination the
/// range never hits, all but 出现次数, 理论次数, 当前遗漏, 最大遗漏, 理论遗漏 and the recent
/// counts.
struct PlayBoard {
    Play play = Play::Any1;
    int highestNumber = 11;
    IndexRange range;        ///< snapshot indexes of the range
    history::Issue from = 0; ///< the range's first issue
    history::Issue to = 0;   ///< the range's last issue
    std::size_t draws = 0;   ///< draws of the range
    double probability = 0;  ///< playProbability
    std::vector<PlayRow> rows;
};

/// The running figures of the boards of some plays over a range, kept so that a draw added to
/// the history updates them at the cost of the combinations it hits.
///
/// The range is scanned once for all the plays: per draw, the combinations it hits come from
/// tables (the C(5, k) subsets of the draw for 任选 k ≤ 5, its C(N − 5, k − 5) supersets for
/// k ≥ 6, one combination for each 前 play), never from testing combinations against it.
class PlayTallies {
public:
    /// Scans `range` (inside the snapshot) for `plays` of an N-number game (11 or 12). A value
    /// outside 1..N in a draw (a history kept under another game) is no number: the draw hits
    /// the 任选 k ≤ 5 combinations of its other numbers, no 任选 k ≥ 6 combination, and no 前
    /// combination that would need the value.
    ///
    /// The tallies see the oldest `seen` draws of the snapshot as the whole history (all of
    /// them by default): the current gaps run to one past the newest of those.
    PlayTallies(const history::Snapshot& snapshot, IndexRange range, int highestNumber,
                std::span<const Play> plays, std::optional<std::size_t> seen = std::nullopt);
    ~PlayTallies();
    PlayTallies(PlayTallies&&) noexcept;
    PlayTallies& operator=(PlayTallies&&) noexcept;

    /// Takes in the draws appended to `snapshot` since the tallies last saw it (the same
    /// history, longer). A range that ended at the newest draw grows by them and its recent
    /// counts move on; one that ended earlier keeps its draws, and only its current gaps grow.
    /// Costs the combinations each new draw hits and those of the draws leaving the recent
    /// windows, whatever the length of the range.
    void append(const history::Snapshot& snapshot);
    /// The same for the draws up to snapshot index `end` (exclusive) only.
    void append(const history::Snapshot& snapshot, std::size_t end);

    /// The current gap of every combination of one of the plays, in playCombinations order, as
    /// its board gives them; costs the play's combinations only.
    void currentGaps(Play play, std::vector<std::int32_t>& out) const;

    /// The board of one of the plays the tallies were made for; `snapshot` is the one they
    /// last saw (for the issues). Costs the play's combinations, not the range.
    PlayBoard board(const history::Snapshot& snapshot, Play play) const;

    IndexRange range() const;

private:
    struct Tally;

    const Tally& tallyOf(Play play) const;

    /// Adds the hits of the draws with snapshot indexes first … end − 1 to the running gaps.
    void scan(const history::Snapshot& snapshot, std::size_t first, std::size_t end);
    /// Adds `delta` to the recent counts of window `w` for the combinations one draw hits.
    void countRecent(const history::Snapshot& snapshot, std::size_t index, std::size_t w,
                     std::int32_t delta);

    IndexRange range_;
    std::size_t historySize_ = 0;
    int highestNumber_ = 11;
    std::vector<Tally> tallies_;
    /// Per kind of draw key, the draws of the range with each key when a play reads that kind:
    /// the hits of a combination are those of the keys that hit it.
    std::vector<std::vector<std::int32_t>> keyDraws_;
};

/// The board of one play over `range`: a single pass, as PlayTallies makes it.
PlayBoard playBoard(const history::Snapshot& snapshot, Play play, IndexRange range,
                    int highestNumber);

/// Keeps the rows whose combination holds every one of `numbers` (胆), in their order; a number
/// that no combination holds leaves none.
void keepRowsHolding(std::vector<PlayRow>& rows, std::span<const int> numbers);

} // namespace yilou::analysis
