#include "cli/view_output.h"

#include "core/draw_record.h"
#include "session/overview_grid.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>

namespace yilou::cli {

void addOverviewSortOption(CLI::App* command, std::string& key) {
    command->add_option("--sort", key,
                        "按该列从小到大排列：value、hits、expectedHits、minGap、maxGap、"
                        "currentGap、ratio、meanGap、lastGap、theoreticalGap、dueChance、"
                        "maxGapSpan、maxRun、currentRun");
}

void writeOverviewFigures(JsonWriter& json, const analysis::OverviewRow& row) {
    json.field("probability", row.probability)
        .field("hits", row.hits)
        .field("expectedHits", row.expectedHits)
        .field("minGap", row.minGap)
        .field("maxGap", row.maxGap)
        .field("currentGap", row.currentGap)
        .field("ratio", row.ratio)
        .field("meanGap", row.meanGap)
        .field("lastGap", row.lastGap)
        .field("theoreticalGap", row.theoreticalGap)
        .field("dueChance", row.dueChance)
        .key("maxGapSpan");
    if (row.maxGapSpan)
        json.beginObject()
            .field("first", history::issueText(row.maxGapSpan->first))
            .field("last", history::issueText(row.maxGapSpan->last))
            .endObject();
    else
        json.value(std::nullopt);
    json.field("maxRun", row.maxRun)
        .field("currentRun", row.currentRun)
        .field("histogram", row.histogram);
}

void addHistogramColumns(TextTable& table, const std::vector<analysis::OverviewRow>& rows) {
    for (int length = 1; length <= analysis::kHistogramLengths + 1; ++length)
        table.headers.push_back(session::histogramHeader(length));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (const std::int32_t count : rows[r].histogram)
            table.rows[r].push_back(std::to_string(count));
}

history::TextGrid trendTable(const TrendRows& trend) {
    const std::size_t draws = trend.issues.size();
    const std::size_t values = trend.labels.size();
    const std::size_t lead = session::kTrendDrawHeaders.size();
    return {1 + draws + session::kTrendFooter.size(), lead + values,
            [trend, draws, values, lead](std::size_t row, std::vector<std::string>& cells) {
                cells.resize(lead + values);
                if (row == 0) {
                    std::copy(session::kTrendDrawHeaders.begin(), session::kTrendDrawHeaders.end(),
                              cells.begin());
                    std::copy(trend.labels.begin(), trend.labels.end(), cells.begin() + lead);
                } else if (row <= draws) {
                    const std::size_t r = row - 1;
                    cells[0] = history::issueText(trend.issues[r]);
                    cells[1] = session::drawNumbersText(trend.numbers[r]);
                    for (std::size_t v = 0; v < values; ++v)
                        cells[lead + v] =
                            session::trendCellText(trend.misses(v, r), trend.labels[v]);
                } else {
                    const auto column = session::kTrendFooter[row - 1 - draws];
                    cells[0] = session::overviewHeader(column, analysis::SearchType::Number);
                    cells[1].clear();
                    for (std::size_t v = 0; v < values; ++v)
                        cells[lead + v] = session::overviewFigureText(trend.footer[v], column);
                }
            }};
}

void writeTrendJson(JsonWriter& json, const TrendRows& trend, const std::vector<int>& codes) {
    json.field("columns", trend.labels).field("codes", codes).key("rows").beginArray();
    for (std::size_t r = 0; r < trend.issues.size(); ++r) {
        json.beginObject()
            .field("issue", history::issueText(trend.issues[r]))
            .field("numbers", trend.numbers[r])
            .key("misses")
            .beginArray();
        for (std::size_t v = 0; v < trend.labels.size(); ++v)
            json.value(trend.misses(v, r));
        json.endArray().endObject();
    }
    json.endArray().key("footer").beginObject();
    for (const auto column : session::kTrendFooter) {
        json.key(session::overviewKey(column)).beginArray();
        for (const auto& row : trend.footer)
            json.value(session::overviewSortKey(row, column));
        json.endArray();
    }
    json.endObject();
}

} // namespace yilou::cli
