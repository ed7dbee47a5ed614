#include "cli/grid_texts.h"

namespace yilou::cli {

namespace {

using Cells = std::vector<std::string>;

/// A grid of fixed headers over `count` rows, row i + 1 filled by `row(i, cells)`.
template <typename Row> history::TextGrid gridOf(Cells headers, std::size_t count, Row row) {
    const std::size_t columns = headers.size();
    return {count + 1, columns, [headers = std::move(headers), row](std::size_t r, Cells& cells) {
                if (r == 0)
                    cells = headers;
                else
                    row(r - 1, cells);
            }};
}

Cells ylHeaders() {
    return {"号码（分组）", "最小遗漏", "最大遗漏", "最后遗漏", "大后比"};
}

} // namespace

history::TextGrid historyGrid(const history::Snapshot& snapshot, std::size_t first) {
    return gridOf({"期号", "落1码", "落2码", "落3码", "落4码", "落5码"}, snapshot.size() - first,
                  [&snapshot, first](std::size_t i, Cells& cells) {
                      cells[0] = history::issueText(snapshot.issues[first + i]);
                      const auto numbers = snapshot.numbers(first + i);
                      for (int p = 0; p < 5; ++p)
                          cells[p + 1] = std::to_string(numbers[p]);
                  });
}

history::TextGrid searchGrid(const analysis::SearchResult& result) {
    return gridOf({"期号", "平1位", "平2位", "平3位", "平4位", "平5位", "遗漏次数", "序号"},
                  result.hits.size(), [&result](std::size_t i, Cells& cells) {
                      const auto& hit = result.hits[i];
                      cells[0] = history::issueText(hit.issue);
                      const auto texts = result.texts(hit);
                      for (int p = 0; p < 5; ++p)
                          cells[p + 1] = texts[p];
                      cells[6] = std::to_string(hit.gap);
                      cells[7] = std::to_string(hit.seq);
                  });
}

history::TextGrid searchSummaryGrid(const analysis::SearchResult& result) {
    return gridOf(ylHeaders(), 1, [&result](std::size_t, Cells& cells) {
        const auto& summary = result.summary;
        cells = {summary.desc, std::to_string(summary.min), std::to_string(summary.max),
                 std::to_string(summary.last), summary.ratio};
    });
}

history::TextGrid ylGrid(const std::vector<history::YlRow>& rows) {
    return gridOf(ylHeaders(), rows.size(), [&rows](std::size_t i, Cells& cells) {
        const auto& row = rows[i];
        cells = {row.content, std::to_string(row.intMinYL), std::to_string(row.intMaxYL),
                 std::to_string(row.intLstYl), history::sglLlrText(row.sglLlr)};
    });
}

TextTable tableOf(const history::TextGrid& grid) {
    TextTable table;
    Cells cells(grid.columns);
    for (std::size_t r = 0; r < grid.rows; ++r) {
        grid.cells(r, cells);
        if (r == 0)
            table.headers = cells;
        else
            table.rows.push_back(cells);
    }
    return table;
}

} // namespace yilou::cli
