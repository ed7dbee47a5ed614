#pragma once

#include "history/draw_record.h"

#include <optional>
#include <string>

namespace yilou::analysis {

/// What the searches look at, in the order of the window's type buttons.
enum class SearchType : int {
    Number = 0, ///< 号码
    Zodiac,     ///< 生肖
    Head,       ///< 头数
    Tail,       ///< 尾数
    DigitSum,   ///< 合数
    Segment,    ///< 段数
};
inline constexpr int kSearchTypeCount = 6;

/// How one search type is stored and matched.
struct SearchTypeInfo {
    const char* caption;    ///< "号码", "生肖", …
    history::Letter letter; ///< per-position column letter
    bool twoDigits;         ///< values written with two digits in the text column
    int minValue;           ///< range a free-position value must lie in; outside it the
    int maxValue;           ///< condition cannot be met
    int boxCount;           ///< intSelMax: boxes of the combination panel that count
};

const SearchTypeInfo& searchTypeInfo(SearchType type);

/// Reads a type name as the command line spells it: number, zodiac, head, tail, sum, segment.
std::optional<SearchType> searchTypeFromName(const std::string& name);

/// The attribute code that combination box `box` (1-based) stands for: the head and tail
/// digits count from 0 (box 1 is digit 0), every other type from 1.
int codeOfBox(SearchType type, int box);

/// The box that stands for `code`, or nothing when no box of the type does.
std::optional<int> boxOfCode(SearchType type, int code);

/// A value as the grids show it: zodiac codes by name (strSxName(code − sxIni)), everything
/// else in plain decimal.
std::string valueLabel(SearchType type, int value, int sxIni);

} // namespace yilou::analysis
