#pragma once

#include "core/draw_record.h"

#include <cstddef>
#include <string>
#include <vector>

namespace yilou::testing {

/// One row of a generated results page: the issue as the page writes it and the five numbers
/// after it, each as written (normally two digits).
struct PageRow {
    std::string issue;
    std::vector<std::string> numbers;
};

/// The row of a draw: its issue in the page form (eight digits, or nine with a three-digit
/// ordinal when `threeDigitOrdinals`) and its numbers as two digits.
PageRow pageRow(history::Issue issue, const history::PositionValues& numbers,
                bool threeDigitOrdinals = false);

/// How a generated results page looks.
struct PageStyle {
    std::string charset = "utf-8"; ///< named by the meta tag; empty for no meta tag
    std::string separator = " ";   ///< between two numbers
    /// Filler cells per row (links, styles, attribute noise), about 130 bytes each: 7 make a
    /// page of 2,000 draws about 2 MB.
    int fillerCells = 1;
};

/// A results page in UTF-8 as a lottery site serves it: a head with a script and a style that
/// mention issues too, a heading naming the newest issue, then one table row per draw whose first
/// cell holds the issue followed at once by the numbers, and filler cells after it.
std::string resultsPage(const std::vector<PageRow>& rows, const PageStyle& style = {});

/// `utf8` in GBK.
std::string toGbk(const std::string& utf8);

} // namespace yilou::testing
