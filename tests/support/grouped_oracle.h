#pragma once

#include "analysis/grouped_combination.h"
#include "store/history_db.h"
#include "store/yl_table.h"
#include "support/yl_row_printer.h"

#include <vector>

namespace yilou::testing {

/// The grouped calculation done by SQL statements on the history table of `db`:
/// the attribute text copied into txtHisP6, per combination a reset of intTh, one LIKE count
/// per member (as GLOB), the hit query of the range, the seek of the start issue and the gap
/// walk, one INSERT into YL per combination. Leaves its rows in YL and returns them in the
/// order they were inserted. A start issue that is not stored gives no rows, as every row's
/// seek fails.
std::vector<history::YlRow> oracleGroupedRows(history::HistoryDb& db,
                                              const analysis::GroupRequest& request);

/// "SELECT * FROM YL ORDER BY " + the column's field (content for column 0).
std::vector<history::YlRow> oracleSortedRows(history::HistoryDb& db, history::YlSortColumn column);

} // namespace yilou::testing
