#pragma once

#include "cli/json_writer.h"
#include "cli/output.h"
#include "core/issue.h"
#include "session/overview_grid.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

/// What the views' commands (overview, trend, pattern) print alike.
namespace yilou::cli {

/// --sort COLUMN: the overview's column keys.
void addOverviewSortOption(CLI::App* command, std::string& key);

/// The figures of an overview row as json fields, after the value's own: probability, hits …
/// histogram under the overview's keys.
void writeOverviewFigures(JsonWriter& json, const analysis::OverviewRow& row);

/// The csv form of an overview table: the gap histogram's columns after the grid's.
void addHistogramColumns(TextTable& table, const std::vector<analysis::OverviewRow>& rows);

/// A trend chart's draws and cells, for its table and its json.
struct TrendRows {
    const std::vector<history::Issue>& issues;
    const std::vector<std::array<std::int8_t, 5>>& numbers;
    const std::vector<std::string>& labels;
    /// The cell of a value (column) in a row: 0 on a hit, else the draws since the last.
    std::function<std::int32_t(std::size_t value, std::size_t row)> misses;
    /// The figures of the bottom rows, one per value.
    const std::vector<analysis::OverviewRow>& footer;
};

/// Table and csv: 期号, 开奖号码, a column per value (a hit shows the value in brackets, a miss
/// the draws since the last hit), then the bottom rows. Each row is made as it is printed, so
/// that a chart of a million draws is never held as text; the grid reads the chart and the
/// texts `trend` refers to.
history::TextGrid trendTable(const TrendRows& trend);

/// Json: "columns" (the labels), "codes", "rows" (issue, numbers, misses) and "footer".
void writeTrendJson(JsonWriter& json, const TrendRows& trend, const std::vector<int>& codes);

} // namespace yilou::cli
