#include "analysis/prize_table.h"
#include "analysis/ticket_calc.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <tuple>

namespace yilou::analysis {

namespace {

/// A ticket as a player reads it: its numbers in order, and their set as bits.
struct PlainTicket {
    std::vector<int> numbers;
    unsigned mask = 0;
};

unsigned maskOf(const std::vector<int>& numbers) {
    unsigned mask = 0;
    for (const int v : numbers)
        mask |= 1u << v;
    return mask;
}

bool in(const std::vector<int>& list, int v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

/// Every ticket of the bet, found by trying every set (or every ordered choice) of the play.
std::vector<PlainTicket> bruteTickets(const Bet& bet, int n) {
    const int k = playSize(bet.play);
    std::vector<PlainTicket> out;
    if (isOrdered(bet.play)) {
        std::vector<int> t(k);
        const std::function<void(int)> place = [&](int j) {
            if (j == k) {
                out.push_back({t, maskOf(t)});
                return;
            }
            for (int v = 1; v <= n; ++v) {
                if (std::find(t.begin(), t.begin() + j, v) != t.begin() + j)
                    continue;
                const bool allowed =
                    bet.form == BetForm::Positional ? in(bet.positions[j], v) : in(bet.numbers, v);
                if (allowed) {
                    t[j] = v;
                    place(j + 1);
                }
            }
        };
        place(0);
        return out;
    }
    for (unsigned mask = 0; mask < 1u << (n + 1); mask += 2) {
        if (std::popcount(mask) != k)
            continue;
        const unsigned numbers = maskOf(bet.numbers), bankers = maskOf(bet.bankers);
        if ((mask & ~(numbers | bankers)) != 0 || (mask & bankers) != bankers)
            continue;
        std::vector<int> t;
        for (int v = 1; v <= n; ++v)
            if (mask >> v & 1)
                t.push_back(v);
        out.push_back({t, mask});
    }
    return out;
}

/// Whether the ticket wins on the ordered draw d, as the play's rule reads.
bool wins(Play play, const PlainTicket& t, const std::array<int, 5>& d, unsigned drawnMask) {
    const int k = playSize(play);
    if (play <= Play::Any5)
        return (t.mask & ~drawnMask) == 0;
    if (play <= Play::Any8)
        return (drawnMask & ~t.mask) == 0;
    if (isOrdered(play))
        return std::equal(t.numbers.begin(), t.numbers.end(), d.begin());
    return t.mask == maskOf(std::vector<int>(d.begin(), d.begin() + k));
}

using OutcomeKey = std::tuple<int, int, int, std::int64_t>;

struct BruteCount {
    std::map<OutcomeKey, std::int64_t> outcomes; ///< ordered draws of each outcome
    std::int64_t draws = 0;
    std::int64_t winningTickets = 0;
    std::size_t tickets = 0;
};

/// What of the ordered draw d a ticket of the play is judged by: the drawn set for 任选, the
/// first k numbers in order for 直选, their set for 组选. Draws alike in it win alike.
std::uint64_t judgedPart(Play play, const std::array<int, 5>& d, unsigned drawnMask) {
    if (play <= Play::Any8)
        return drawnMask;
    const int k = playSize(play);
    std::uint64_t part = 0;
    for (int j = 0; j < k; ++j)
        part = isOrdered(play) ? part * 16 + static_cast<std::uint64_t>(d[j]) : part | 1u << d[j];
    return part;
}

/// Goes through every ordered draw of five of 1..n.
BruteCount bruteForce(const Bet& bet, int n) {
    const auto tickets = bruteTickets(bet, n);
    const int looked = bet.play <= Play::Any8 ? 5 : playSize(bet.play);
    BruteCount count;
    count.tickets = tickets.size();
    // Every ticket is tried once for each part of a draw its play is judged by.
    std::map<std::uint64_t, std::int64_t> wonBy;
    std::array<int, 5> d{};
    const std::function<void(int, unsigned)> draw = [&](int place, unsigned all) {
        if (place < 5) {
            for (int v = 1; v <= n; ++v)
                if (!(all >> v & 1)) {
                    d[place] = v;
                    draw(place + 1, all | 1u << v);
                }
            return;
        }
        const auto [at, fresh] = wonBy.try_emplace(judgedPart(bet.play, d, all), 0);
        if (fresh)
            for (const auto& t : tickets)
                at->second += wins(bet.play, t, d, all);
        const std::int64_t won = at->second;
        int hits = 0, bankerHits = 0, positions = 0;
        for (int j = 0; j < looked; ++j) {
            if (bet.form == BetForm::Positional) {
                const bool hit = in(bet.positions[j], d[j]);
                hits += hit;
                positions |= hit << j;
            } else {
                hits += in(bet.numbers, d[j]) || in(bet.bankers, d[j]);
                bankerHits += in(bet.bankers, d[j]);
            }
        }
        ++count.outcomes[{hits, bankerHits, positions, won}];
        ++count.draws;
        count.winningTickets += won;
    };
    draw(0, 0);
    return count;
}

std::vector<int> run(int from, int to) {
    std::vector<int> out(static_cast<std::size_t>(to - from + 1));
    std::iota(out.begin(), out.end(), from);
    return out;
}

/// Every bet the calculator must count right: 复式 of every size the play allows, 胆拖 with the
/// fewest and the most 胆 and 拖, 直选 by position with places that share numbers.
std::vector<Bet> betsToCheck(Play play, int n) {
    const int k = playSize(play);
    std::vector<Bet> bets;
    for (int m = k; m <= n; ++m)
        bets.push_back({play, BetForm::Multiple, run(1, m), {}, {}});
    if (isOrdered(play)) {
        bets.push_back({play, BetForm::Positional, {}, {}, {{1, 2, 3}, {2, 5}, {1, 3, 5, 8}}});
        bets.back().positions.resize(static_cast<std::size_t>(k));
        bets.push_back({play, BetForm::Positional, {}, {}, {{n}, run(1, n), {4, n}}});
        bets.back().positions.resize(static_cast<std::size_t>(k));
        return bets;
    }
    for (const int b : {1, k - 1})
        for (const int t : {k - b, n - b})
            if (b >= 1 && b < k)
                bets.push_back({play, BetForm::Banker, run(n - t + 1, n), run(1, b), {}});
    return bets;
}

TEST(TicketCalc, CountsEveryOutcomeOfEveryBetAsEveryDrawOfTheGameGives) {
    for (const int n : {11, 12})
        for (const Play play : allPlays())
            for (const Bet& bet : betsToCheck(play, n)) {
                SCOPED_TRACE(std::to_string(n) + " " + std::string(playKey(play)) + " form " +
                             std::to_string(static_cast<int>(bet.form)) + " of " +
                             std::to_string(bet.numbers.size()));
                const BruteCount brute = bruteForce(bet, n);
                const BetChances chances = betChances(bet, n);
                ASSERT_EQ(betTickets(bet, n).size(), brute.tickets);
                ASSERT_EQ(chances.tickets, static_cast<std::int64_t>(brute.tickets));
                ASSERT_GT(chances.gameDraws, 0);
                ASSERT_EQ(brute.draws % chances.gameDraws, 0);
                const std::int64_t each = brute.draws / chances.gameDraws;
                std::map<OutcomeKey, std::int64_t> counted;
                std::int64_t all = 0;
                for (const auto& o : chances.outcomes) {
                    counted[{o.hits, o.bankerHits, o.positions, o.winningTickets}] = o.draws * each;
                    all += o.draws;
                }
                EXPECT_EQ(counted, brute.outcomes);
                EXPECT_EQ(all, chances.gameDraws); // the chances sum to 1
                EXPECT_EQ(chances.winningTicketsOverDraws * each, brute.winningTickets);
                const auto money = betMoney(chances, 1000, 3);
                if (brute.tickets == 0) {
                    EXPECT_FALSE(money);
                    continue;
                }
                ASSERT_TRUE(money);
                EXPECT_NEAR(money->expectedReturn,
                            static_cast<double>(brute.winningTickets) * 1000 /
                                static_cast<double>(brute.draws) /
                                static_cast<double>(brute.tickets * kTicketPrice),
                            1e-12);
            }
}

TEST(TicketCalc, OneTicketOfAnyFiveByHand) {
    const Bet bet{Play::Any5, BetForm::Multiple, {1, 2, 3, 4, 5}, {}, {}};
    const BetChances chances = betChances(bet, 11);
    EXPECT_EQ(chances.tickets, 1);
    EXPECT_EQ(betCost(chances.tickets, 1), 200);
    EXPECT_EQ(chances.gameDraws, 462);
    EXPECT_EQ(chances.winningDraws, 1);
    const auto money = betMoney(chances, PrizeTable::defaults(11).prize(Play::Any5), 1);
    ASSERT_TRUE(money);
    EXPECT_DOUBLE_EQ(money->expectedReturn, 540.0 / 462 / 2);
    EXPECT_EQ(money->maxPrize, 54000);
    ASSERT_EQ(chances.outcomes.size(), 6u); // 5 hits down to none
    EXPECT_EQ(chances.outcomes.front(), (BetOutcome{5, 0, 0, 1, 1}));
    EXPECT_EQ(chances.outcomes.back().hits, 0);
}

TEST(TicketCalc, MoneyScalesWithTheMultipleButNotTheReturn) {
    const Bet bet{Play::Any2, BetForm::Banker, {2, 3, 4}, {1}, {}};
    const BetChances chances = betChances(bet, 11);
    EXPECT_EQ(chances.tickets, 3);
    EXPECT_EQ(betCost(chances.tickets, 5), 3000);
    const auto once = betMoney(chances, 600, 1), five = betMoney(chances, 600, 5);
    ASSERT_TRUE(once && five);
    EXPECT_EQ(once->maxPrize, 3 * 600); // 01 and all three 拖 drawn
    EXPECT_EQ(five->maxPrize, 5 * once->maxPrize);
    EXPECT_DOUBLE_EQ(five->expectedReturn, once->expectedReturn);
    EXPECT_FALSE(betMoney(chances, std::nullopt, 1));
}

TEST(PrizeTable, DefaultsAreThePublishedPrizesOfElevenNumbersAndNoneForTwelve) {
    const auto eleven = PrizeTable::defaults(11);
    EXPECT_FALSE(eleven.prize(Play::Any1));
    EXPECT_EQ(eleven.prize(Play::Front1), 1300);
    EXPECT_EQ(eleven.prize(Play::Any5), 54000);
    EXPECT_EQ(eleven.prize(Play::Front3Direct), 117000);
    EXPECT_EQ(eleven.text(), "r2=6 r3=19 r4=78 r5=540 r6=90 r7=26 r8=9 q1=13 q2z=130 q2x=65 "
                             "q3z=1170 q3x=195");
    for (const Play play : allPlays())
        EXPECT_FALSE(PrizeTable::defaults(12).prize(play));
}

TEST(PrizeTable, StoredTextReadsBackAndABadEntryNeverInventsAPrize) {
    const auto fallback = PrizeTable::defaults(11);
    struct Case {
        std::string text;
        Play play;
        std::optional<Fen> prize;
    };
    const Case cases[] = {
        {"r5=600", Play::Any5, 60000},
        {"r5=600", Play::Any2, std::nullopt}, // left out: cleared
        {"r5=8.5", Play::Any5, 850},
        {"r5=0.05", Play::Any5, 5},
        {"r5=abc", Play::Any5, 54000},
        {"r5=1.234", Play::Any5, 54000},
        {"r5=0", Play::Any5, 54000},
        {"r5=-3", Play::Any5, 54000},
        {"r1=5", Play::Any1, std::nullopt},
        {"zz=5,r3=20", Play::Any3, 2000},
        {"r2=5 r3=20", Play::Any2, 500},
        {"", Play::Any5, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PrizeTable::fromText(c.text, fallback).prize(c.play), c.prize);
    }
    EXPECT_EQ(PrizeTable::fromText(fallback.text(), PrizeTable()), fallback);
}

TEST(PrizeTable, YuanReadAndWritten) {
    EXPECT_EQ(parseYuan("540"), 54000);
    EXPECT_EQ(parseYuan("0.5"), 50);
    EXPECT_EQ(parseYuan("12."), 1200);
    EXPECT_FALSE(parseYuan("."));
    EXPECT_FALSE(parseYuan(""));
    EXPECT_FALSE(parseYuan("1e3"));
    EXPECT_FALSE(parseYuan("99999999999999999999"));
    EXPECT_EQ(yuanText(54000), "540");
    EXPECT_EQ(yuanText(850), "8.5");
    EXPECT_EQ(yuanText(5), "0.05");
    EXPECT_EQ(yuanText(-1250), "-12.5");
}

} // namespace

} // namespace yilou::analysis
