#pragma once

#include "analysis/omission_search.h"
#include "core/snapshot.h"
#include "core/text_grid.h"
#include "store/yl_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

/// The three grids as the user sees them: headers, column widths and cell texts. One source for
/// the window's grids, the command line's tables and the spreadsheet export.
namespace yilou::session {

/// The history grid: the issue and the five numbers in drawn order (no leading zero).
struct HistoryGrid {
    static constexpr int kColumns = 6;
    static const std::array<std::string, kColumns>& headers();
    /// Widths in twips (15 twips are one pixel at 96 dpi).
    static constexpr std::array<int, kColumns> kWidths{1480, 600, 600, 600, 600, 600};
    /// Draw `row` (0-based, in issue order) of the snapshot.
    static std::string cell(const history::Snapshot& snapshot, std::size_t row, int column);
};

/// The detail grid of a search: one row per hit.
struct SearchGrid {
    static constexpr int kColumns = 8;
    static const std::array<std::string, kColumns>& headers();
    static constexpr std::array<int, kColumns> kWidths{1480, 800, 800, 800, 800, 800, 800, 680};
    static std::string cell(const analysis::SearchResult& result, std::size_t row, int column);
};

/// The result grid: a search's summary row or the rows of YL.
struct ResultGrid {
    static constexpr int kColumns = 5;
    static const std::array<std::string, kColumns>& headers();
    static constexpr std::array<int, kColumns> kWidths{1880, 880, 880, 880, 880};
    static std::string cell(const analysis::SummaryRow& summary, int column);
    static std::string cell(const history::YlRow& row, int column);
};

/// A fraction as the grids show it (analysis::ratioText): plain decimal, 15 significant digits.
std::string fractionText(double value);

// The grids as rows of texts, row 0 their headers, read one row at a time: the command line's
// tables and the spreadsheet export. Each reads what it is made from, which must outlive it.

/// The history grid.
history::TextGrid historyTextGrid(const history::Snapshot& snapshot);
/// The detail grid of a search.
history::TextGrid searchTextGrid(const analysis::SearchResult& result);
/// The result grid holding a search's summary row.
history::TextGrid summaryTextGrid(const analysis::SummaryRow& summary);
/// The result grid holding the rows of YL.
history::TextGrid ylTextGrid(const std::vector<history::YlRow>& rows);

} // namespace yilou::session
