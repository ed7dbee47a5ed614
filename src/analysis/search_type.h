#pragma once

#include "core/draw_record.h"

#include <string>
#include <string_view>
#include <vector>

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
    history::Letter letter; ///< per-position column letter
    bool twoDigits;         ///< values written with two digits in the text column
    int minValue;           ///< range a free-position value must lie in; outside it the
    int maxValue;           ///< condition cannot be met
};

const SearchTypeInfo& searchTypeInfo(SearchType type);

/// The values `type` can take in a game of numbers 1..highestNumber with the code bases in
/// force, ascending: the order of the combination panel's boxes (box i stands for entry i − 1),
/// of the overview's rows and of the trend chart's columns. Exactly the codes a stored draw can
/// hold, so none is offered that never occurs and none that occurs is refused.
///   号码 numbers 1..11, 1..12 in the happy-12 games;
///   生肖 zodiac codes sxIni..sxIni + 11 (SxIni);
///   头数 head digits 0..1;  尾数 tail digits 0..9;  合数 digit sums 1..9;
///   段数 segment codes dsIni..dsIni + 2 (DsIni; segments of four numbers).
/// The window's combination panel and the command line's --select both take codes from here.
std::vector<int> selectableCodes(SearchType type, int highestNumber, int sxIni, int dsIni);

/// The values of `type` that some number 1..highestNumber takes in a draw of `issue` under
/// `rules`, ascending: in an 11-number game one zodiac has no number in a zodiac year.
std::vector<int> heldCodes(SearchType type, int highestNumber, history::Issue issue,
                           const history::AttributeRules& rules);

/// A value as the grids show it: zodiac codes by name (strSxName(code − sxIni)), everything
/// else in plain decimal.
std::string valueLabel(SearchType type, int value, int sxIni);

/// The codes of a text of labels separated by blanks, as a grouped result names its members
/// ("01 05 11", "鼠 牛"): a zodiac name gives its code under `sxIni`, digits their value; any
/// other label is left out.
std::vector<int> labelCodes(std::string_view labels, int sxIni);

} // namespace yilou::analysis
