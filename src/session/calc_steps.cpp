#include "session/calc_steps.h"

#include "core/user_error.h"
#include "session/messages.h"
#include "session/overview_grid.h"
#include "session/play_steps.h"
#include "session/typed_input.h"

#include <algorithm>
#include <iterator>

namespace yilou::session {

using analysis::Bet;
using analysis::BetForm;
using analysis::Play;

namespace {

constexpr int kMostMultiple = 99;

std::string betText(const Bet& bet) {
    switch (bet.form) {
    case BetForm::Multiple:
        return messages::multipleBetText(drawNumbersText(bet.numbers));
    case BetForm::Banker:
        return messages::bankerBetText(drawNumbersText(bet.bankers), drawNumbersText(bet.numbers));
    case BetForm::Positional:
        break;
    }
    std::vector<std::string> places;
    for (const auto& place : bet.positions)
        places.push_back(drawNumbersText(place));
    return messages::positionalBetText(places);
}

} // namespace

int readMultiple(const std::string& text) {
    if (text.empty())
        return 1;
    int multiple = 0;
    try {
        multiple = parseDecimal(text, messages::field::kMultiple);
    } catch (const InputError&) {
        throw InputError(messages::multipleOutOfRange(text));
    }
    if (multiple < 1 || multiple > kMostMultiple)
        throw InputError(messages::multipleOutOfRange(text));
    return multiple;
}

Bet readBet(const CalcRequest& request, const Choices& choices) {
    const auto play = analysis::playOfKey(request.play);
    if (!play)
        throw InputError(messages::unknownPlay(request.play));
    const int n = choices.game().highestNumber;
    const int size = analysis::playSize(*play);
    Bet bet;
    bet.play = *play;
    bet.numbers = readGameNumbers(request.numbers, messages::field::kNumber, n);
    if (!request.positions.empty()) {
        if (!analysis::isOrdered(*play) || request.positions.size() != std::size_t(size) ||
            !bet.numbers.empty() || !request.bankers.empty())
            throw InputError(messages::positionsOfDirectOnly(*play));
        bet.form = BetForm::Positional;
        for (const auto& place : request.positions)
            bet.positions.push_back(readGameNumbers(place, messages::field::kNumber, n));
    } else if (!request.bankers.empty()) {
        if (analysis::isOrdered(*play))
            throw InputError(messages::noBankersForDirect(*play));
        bet.form = BetForm::Banker;
        bet.bankers = readGameNumbers(request.bankers, messages::field::kBanker, n);
        if (bet.bankers.size() >= std::size_t(size))
            throw InputError(messages::tooManyBankersForDrag(*play, bet.bankers.size()));
        std::vector<int> both;
        std::set_intersection(bet.bankers.begin(), bet.bankers.end(), bet.numbers.begin(),
                              bet.numbers.end(), std::back_inserter(both));
        if (!both.empty())
            throw InputError(messages::bankerAlsoDragged(drawNumbersText(both)));
    } else if (analysis::isOrdered(*play)) {
        // 直选复式: every place takes any of the numbers.
        bet.form = BetForm::Positional;
        bet.positions.assign(std::size_t(size), bet.numbers);
        bet.numbers.clear();
    }
    if (analysis::betTickets(bet, n).empty())
        throw InputError(messages::noTicketInBet(*play));
    return bet;
}

CalcView calculateBet(const CalcRequest& request, const Choices& choices,
                      const analysis::PrizeTable& prizes) {
    CalcView view;
    view.bet = readBet(request, choices);
    view.multiple = readMultiple(request.multiple);
    view.chances = analysis::betChances(view.bet, choices.game().highestNumber);
    view.cost = analysis::betCost(view.chances.tickets, view.multiple);
    view.prize = prizes.prize(view.bet.play);
    view.money = analysis::betMoney(view.chances, view.prize, view.multiple);
    view.caption = messages::calcCaption(view.bet.play, betText(view.bet), view.chances.tickets,
                                         view.multiple, view.cost);
    std::optional<double> expected;
    std::optional<analysis::Fen> maxPrize;
    if (view.money) {
        expected = view.money->expectedReturn;
        maxPrize = view.money->maxPrize;
    }
    view.summary = messages::calcSummary(view.chances.winningDraws, view.chances.gameDraws,
                                         expected, maxPrize);
    if (!view.money)
        view.summary.insert(view.summary.begin() + 1, messages::noPrizeForPlay(view.bet.play));
    return view;
}

std::string outcomeText(const CalcView& view, const analysis::BetOutcome& outcome) {
    if (view.bet.form == BetForm::Positional)
        return messages::positionHits(outcome.positions, analysis::playSize(view.bet.play));
    return messages::outcomeHits(outcome.hits, outcome.bankerHits,
                                 view.bet.form == BetForm::Banker);
}

std::optional<analysis::Fen> outcomePrize(const CalcView& view,
                                          const analysis::BetOutcome& outcome) {
    if (!view.prize)
        return std::nullopt;
    return outcome.winningTickets * *view.prize * view.multiple;
}

history::TextGrid calcTextGrid(const CalcView& view) {
    return {view.chances.outcomes.size() + 1, 4,
            [&view](std::size_t row, std::vector<std::string>& cells) {
                if (row == 0) {
                    cells = {
                        std::string(messages::kOutcomeHeader), std::string(messages::kWinsHeader),
                        std::string(messages::kPrizeHeader), std::string(messages::kChanceHeader)};
                    return;
                }
                const auto& outcome = view.chances.outcomes[row - 1];
                const auto prize = outcomePrize(view, outcome);
                cells = {outcomeText(view, outcome), std::to_string(outcome.winningTickets),
                         prize ? messages::yuan(*prize) : std::string(messages::kNoPrize),
                         messages::chanceText(outcome.draws, view.chances.gameDraws)};
            }};
}

analysis::PrizeTable prizeTableOf(const std::optional<std::string>& stored, int highestNumber) {
    const auto defaults = analysis::PrizeTable::defaults(highestNumber);
    return stored ? analysis::PrizeTable::fromText(*stored, defaults) : defaults;
}

analysis::PrizeTable setPrizes(analysis::PrizeTable table, const std::vector<std::string>& typed) {
    for (const auto& entry : typed) {
        const std::size_t equals = entry.find('=');
        const auto play = analysis::playOfKey(entry.substr(0, equals));
        if (equals == std::string::npos || !play || *play == Play::Any1)
            throw InputError(messages::invalidPrizeSetting(entry));
        const std::string value = entry.substr(equals + 1);
        const auto fen = analysis::parseYuan(value);
        if (!value.empty() && (!fen || *fen <= 0))
            throw InputError(messages::invalidPrizeSetting(entry));
        table.set(*play, value.empty() ? std::nullopt : fen);
    }
    return table;
}

history::TextGrid prizeTextGrid(const analysis::PrizeTable& table) {
    const auto& plays = analysis::allPlays();
    return {
        plays.size() + 1, 3, [&table, &plays](std::size_t row, std::vector<std::string>& cells) {
            if (row == 0) {
                cells = {std::string(messages::kPlayHeader), std::string(messages::kPlayKeyHeader),
                         std::string(messages::kPrizeHeader)};
                return;
            }
            const Play play = plays[row - 1];
            const auto prize = table.prize(play);
            cells = {std::string(messages::playName(play)), std::string(analysis::playKey(play)),
                     prize ? messages::yuan(*prize) : std::string(messages::kNoPrize)};
        }};
}

} // namespace yilou::session
