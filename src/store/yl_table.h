#pragma once

#include "core/yl_row.h"
#include "store/history_db.h"

#include <string>
#include <vector>

namespace yilou::history {

/// The columns of the result grid, 0..4, and the field each one sorts by.
enum class YlSortColumn { Content, Min, Max, Last, Ratio };

/// Replaces every row of YL by `rows`, kept in the given order, in one transaction.
void storeYlRows(HistoryDb& db, const std::vector<YlRow>& rows);

/// Reads all of YL in ascending order of the column's field; rows with equal keys come in the
/// order they were stored.
std::vector<YlRow> readYlRows(HistoryDb& db, YlSortColumn column);

/// `rows` as readYlRows would give them after storeYlRows(rows): in ascending order of the
/// column's field, rows with equal keys in the given order. `descending` reverses the order of
/// the keys only: equal keys still keep theirs.
std::vector<YlRow> sortYlRows(std::vector<YlRow> rows, YlSortColumn column,
                              bool descending = false);

/// The ratio as the grid shows it: single precision with up to seven significant digits
/// (1.333333, 0.5, 2, 0).
std::string sglLlrText(float sglLlr);

} // namespace yilou::history
