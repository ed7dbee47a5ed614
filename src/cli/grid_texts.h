#pragma once

#include "analysis/omission_search.h"
#include "cli/output.h"
#include "history/snapshot.h"
#include "history/text_grid.h"
#include "history/yl_table.h"

#include <cstddef>
#include <vector>

namespace yilou::cli {

// The window's grids as texts: their headers and cells, for the table format and the
// spreadsheet export. Each grid reads the object it is made from, which must outlive it.

/// The history grid: 期号, 落1码 … 落5码; the draws from index `first` on.
history::TextGrid historyGrid(const history::Snapshot& snapshot, std::size_t first = 0);

/// The search result grid: one row per hit.
history::TextGrid searchGrid(const analysis::SearchResult& result);

/// The summary row of a search, under the headers of the grouped result grid.
history::TextGrid searchSummaryGrid(const analysis::SearchResult& result);

/// The grouped result grid: one row per row of YL.
history::TextGrid ylGrid(const std::vector<history::YlRow>& rows);

/// Every row of a grid, for printing.
TextTable tableOf(const history::TextGrid& grid);

} // namespace yilou::cli
