#pragma once

#include "analysis/play_type.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yilou::analysis {

/// Money is counted in fen (1/100 yuan), so that every sum is exact.
using Fen = std::int64_t;
/// What one ticket (一注) costs.
inline constexpr Fen kTicketPrice = 200;

/// The fixed prize of each play for one winning ticket; none where no prize is set (任选一 is
/// not sold, and the happy-12 games start without prizes).
class PrizeTable {
public:
    /// The published fixed prizes of the 11-choose-5 games; an empty table for the happy-12
    /// games.
    static PrizeTable defaults(int highestNumber);

    std::optional<Fen> prize(Play play) const { return prizes_[static_cast<std::size_t>(play)]; }
    /// Sets or clears a play's prize; 任选一 never has one.
    void set(Play play, std::optional<Fen> prize);

    /// The stored form: "r2=6 r3=19 …" in play order, prizes in yuan; "" when none is set.
    std::string text() const;
    /// Reads the stored form (entries apart by spaces or commas); an entry that is no play with a
    /// prize of at least 0.01 yuan keeps the prize of `fallback` for its play, so a hand-edited
    /// setting never invents a prize.
    static PrizeTable fromText(std::string_view text, const PrizeTable& fallback);

    friend bool operator==(const PrizeTable&, const PrizeTable&) = default;

private:
    std::array<std::optional<Fen>, kPlayCount> prizes_{};
};

/// Yuan as typed or stored ("540", "8.5", "0.05") in fen; none for anything else or for more
/// than two decimals or beyond 100 million yuan.
std::optional<Fen> parseYuan(std::string_view text);
/// Fen as plain yuan: "540", "8.5", "0.05", "-12".
std::string yuanText(Fen fen);

} // namespace yilou::analysis
