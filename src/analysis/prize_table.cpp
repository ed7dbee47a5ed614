#include "analysis/prize_table.h"

#include <cstdlib>

namespace yilou::analysis {

namespace {

/// 100 million yuan: more than any fixed prize, and far from overflowing a sum of them.
constexpr Fen kMostFen = 10'000'000'000;

} // namespace

PrizeTable PrizeTable::defaults(int highestNumber) {
    PrizeTable table;
    if (highestNumber != 11)
        return table;
    constexpr std::array<Fen, kPlayCount> yuan{0, 6,  19,  78, 540,  90, 26,
                                               9, 13, 130, 65, 1170, 195};
    for (const Play play : allPlays())
        table.set(play, yuan[static_cast<std::size_t>(play)] * 100);
    return table;
}

void PrizeTable::set(Play play, std::optional<Fen> prize) {
    prizes_[static_cast<std::size_t>(play)] =
        play == Play::Any1 || (prize && *prize <= 0) ? std::nullopt : prize;
}

std::string PrizeTable::text() const {
    std::string out;
    for (const Play play : allPlays())
        if (const auto fen = prize(play))
            out += (out.empty() ? "" : " ") + std::string(playKey(play)) + "=" + yuanText(*fen);
    return out;
}

PrizeTable PrizeTable::fromText(std::string_view text, const PrizeTable& fallback) {
    // A play the text leaves out was cleared on purpose; one whose prize does not read keeps
    // the fallback's.
    PrizeTable table;
    while (!text.empty()) {
        const std::size_t space = text.find_first_of(" ,");
        const std::string_view entry = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        const std::size_t equals = entry.find('=');
        const auto play = playOfKey(entry.substr(0, equals));
        if (equals == std::string_view::npos || !play)
            continue;
        const auto fen = parseYuan(entry.substr(equals + 1));
        table.set(*play, fen && *fen > 0 ? fen : fallback.prize(*play));
    }
    return table;
}

std::optional<Fen> parseYuan(std::string_view text) {
    Fen fen = 0;
    int decimals = -1;
    bool digits = false;
    for (const char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9' || decimals == 2)
            return std::nullopt;
        fen = fen * 10 + (c - '0');
        digits = true;
        if (decimals >= 0)
            ++decimals;
        if (fen > kMostFen)
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d)
        fen *= 10;
    return fen <= kMostFen ? std::optional<Fen>(fen) : std::nullopt;
}

std::string yuanText(Fen fen) {
    const Fen whole = std::llabs(fen);
    std::string out = (fen < 0 ? "-" : "") + std::to_string(whole / 100);
    const Fen cents = whole % 100;
    if (cents != 0) {
        out += '.';
        out += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0)
            out += static_cast<char>('0' + cents % 10);
    }
    return out;
}

} // namespace yilou::analysis
