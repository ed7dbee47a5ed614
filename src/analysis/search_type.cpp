#include "analysis/search_type.h"

#include "core/zodiac.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace yilou::analysis {

using history::Letter;

const SearchTypeInfo& searchTypeInfo(SearchType type) {
    static constexpr std::array<SearchTypeInfo, kSearchTypeCount> table{{
        {Letter::A, true, INT32_MIN, INT32_MAX}, // 号码
        {Letter::B, true, 0, 12},                // 生肖
        {Letter::E, false, 0, 1},                // 头数
        {Letter::F, false, 0, 9},                // 尾数
        {Letter::G, true, 1, 9},                 // 合数
        {Letter::H, false, 0, 3},                // 段数
    }};
    return table[static_cast<int>(type)];
}

std::vector<int> selectableCodes(SearchType type, int highestNumber, int sxIni, int dsIni) {
    const auto run = [](int first, int count) {
        std::vector<int> codes(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            codes[i] = first + i;
        return codes;
    };
    switch (type) {
    case SearchType::Number:
        return run(1, highestNumber);
    case SearchType::Zodiac:
        return run(sxIni, static_cast<int>(history::strSxName.size()));
    case SearchType::Head:
        return run(0, history::headDigit(highestNumber) + 1);
    case SearchType::Tail:
        return run(0, 10);
    case SearchType::DigitSum:
        return run(1, 9);
    case SearchType::Segment:
        return run(dsIni, (highestNumber - 1) / 4 + 1);
    }
    return {};
}

std::vector<int> heldCodes(SearchType type, int highestNumber, history::Issue issue,
                           const history::AttributeRules& rules) {
    std::vector<int> codes;
    for (int n = 1; n <= highestNumber; ++n) {
        const auto record = history::DeriveAttributes(issue, {n, n, n, n, n}, rules);
        codes.push_back(record.drop[searchTypeInfo(type).letter][0]);
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

std::string valueLabel(SearchType type, int value, int sxIni) {
    if (type == SearchType::Zodiac)
        return history::zodiacName(value, sxIni);
    return std::to_string(value);
}

std::vector<int> labelCodes(std::string_view labels, int sxIni) {
    std::vector<int> codes;
    while (!labels.empty()) {
        const std::size_t end = std::min(labels.find(' '), labels.size());
        const std::string_view label = labels.substr(0, end);
        labels.remove_prefix(std::min(end + 1, labels.size()));
        const auto zodiac = std::find(history::strSxName.begin(), history::strSxName.end(), label);
        const char* labelEnd = label.data() + label.size();
        int value = 0;
        if (zodiac != history::strSxName.end())
            codes.push_back(sxIni + static_cast<int>(zodiac - history::strSxName.begin()));
        else if (!label.empty() && std::from_chars(label.data(), labelEnd, value).ptr == labelEnd)
            codes.push_back(value);
    }
    return codes;
}

} // namespace yilou::analysis
