#pragma once

#include "analysis/issue_range.h"
#include "analysis/omission_overview.h"
#include "core/snapshot.h"

#include <cstddef>
#include <functional>
#include <ostream>

namespace yilou::analysis {

// Found by the test framework beside the type it prints.
void PrintTo(const OverviewRow& row, std::ostream* out);

/// Calls `visit` with every ordered draw of five distinct numbers of 1..highestNumber.
void forEveryOrderedDraw(int highestNumber,
                         const std::function<void(const history::PositionValues&)>& visit);

/// Every column of an overview row from its definition, draw by draw: `held(i)` says whether
/// the draw at snapshot index i holds the value; `counted` is the number of draws 理论次数
/// counts.
OverviewRow referenceOverviewRow(const history::Snapshot& snapshot, IndexRange range, int value,
                                 double probability, std::size_t counted,
                                 const std::function<bool(std::size_t)>& held);

} // namespace yilou::analysis
