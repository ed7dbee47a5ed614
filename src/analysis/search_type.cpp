#include "analysis/search_type.h"

#include "history/zodiac.h"

#include <array>
#include <cstdint>

namespace yilou::analysis {

using history::Letter;

const SearchTypeInfo& searchTypeInfo(SearchType type) {
    static constexpr std::array<SearchTypeInfo, kSearchTypeCount> table{{
        {"号码", Letter::A, true, INT32_MIN, INT32_MAX, 11},
        {"生肖", Letter::B, true, 0, 12, 12},
        {"头数", Letter::E, false, 0, 1, 2},
        {"尾数", Letter::F, false, 0, 9, 10},
        {"合数", Letter::G, true, 1, 9, 9},
        {"段数", Letter::H, false, 0, 3, 3},
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

int codeOfBox(SearchType type, int box) {
    return type == SearchType::Head || type == SearchType::Tail ? box - 1 : box;
}

std::optional<int> boxOfCode(SearchType type, int code) {
    const int box = type == SearchType::Head || type == SearchType::Tail ? code + 1 : code;
    if (box < 1 || box > searchTypeInfo(type).boxCount)
        return std::nullopt;
    return box;
}

std::string valueLabel(SearchType type, int value, int sxIni) {
    if (type == SearchType::Zodiac)
        return history::zodiacName(value, sxIni);
    return std::to_string(value);
}

} // namespace yilou::analysis
