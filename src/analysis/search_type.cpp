#include "analysis/search_type.h"

#include "history/zodiac.h"

#include <array>
#include <cstdint>

namespace yilou::analysis {

using history::Letter;

const SearchTypeInfo& searchTypeInfo(SearchType type) {
    static constexpr std::array<SearchTypeInfo, kSearchTypeCount> table{{
        {"号码", Letter::A, true, INT32_MIN, INT32_MAX},
        {"生肖", Letter::B, true, 0, 12},
        {"头数", Letter::E, false, 0, 1},
        {"尾数", Letter::F, false, 0, 9},
        {"合数", Letter::G, true, 1, 9},
        {"段数", Letter::H, false, 0, 3},
    }};
    return table[static_cast<int>(type)];
}

std::optional<SearchType> searchTypeFromName(const std::string& name) {
    static constexpr std::array<const char*, kSearchTypeCount> names{"number", "zodiac", "head",
                                                                     "tail",   "sum",    "segment"};
    for (int i = 0; i < kSearchTypeCount; ++i)
        if (name == names[i])
            return static_cast<SearchType>(i);
    return std::nullopt;
}

std::vector<int> selectableCodes(SearchType type, const history::Game& game, int sxIni, int dsIni) {
    const auto run = [](int first, int count) {
        std::vector<int> codes(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            codes[i] = first + i;
        return codes;
    };
    switch (type) {
    case SearchType::Number:
        return run(1, game.highestNumber);
    case SearchType::Zodiac:
        return run(sxIni, static_cast<int>(history::strSxName.size()));
    case SearchType::Head:
        return run(0, history::headDigit(game.highestNumber) + 1);
    case SearchType::Tail:
        return run(0, 10);
    case SearchType::DigitSum:
        return run(1, 9);
    case SearchType::Segment:
        return run(dsIni, (game.highestNumber - 1) / 4 + 1);
    }
    return {};
}

std::string valueLabel(SearchType type, int value, int sxIni) {
    if (type == SearchType::Zodiac)
        return history::zodiacName(value, sxIni);
    return std::to_string(value);
}

} // namespace yilou::analysis
