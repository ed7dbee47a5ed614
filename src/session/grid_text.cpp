#include "session/grid_text.h"

#include "analysis/ratio_text.h"

namespace yilou::session {

std::string fractionText(double value) {
    return analysis::ratioText(value);
}

namespace {

/// `Grid`'s headers over `count` rows, whose cells `cell(row, column)` gives.
template <typename Grid, typename Cell> history::TextGrid textGridOf(std::size_t count, Cell cell) {
    return {count + 1, Grid::kColumns, [cell](std::size_t row, std::vector<std::string>& cells) {
                for (int column = 0; column < Grid::kColumns; ++column)
                    cells[column] = row == 0 ? Grid::headers()[column] : cell(row - 1, column);
            }};
}

} // namespace

const std::array<std::string, HistoryGrid::kColumns>& HistoryGrid::headers() {
    static const std::array<std::string, kColumns> headers{"期号",  "落1码", "落2码",
                                                           "落3码", "落4码", "落5码"};
    return headers;
}

std::string HistoryGrid::cell(const history::Snapshot& snapshot, std::size_t row, int column) {
    if (column == 0)
        return history::issueText(snapshot.issues[row]);
    return std::to_string(
        snapshot.value(history::NumberOrder::Drop, history::Letter::A, column - 1, row));
}

const std::array<std::string, SearchGrid::kColumns>& SearchGrid::headers() {
    static const std::array<std::string, kColumns> headers{"期号",  "平1位", "平2位",    "平3位",
                                                           "平4位", "平5位", "遗漏次数", "序号"};
    return headers;
}

std::string SearchGrid::cell(const analysis::SearchResult& result, std::size_t row, int column) {
    const analysis::HitRow& hit = result.hits[row];
    if (column == 0)
        return history::issueText(hit.issue);
    if (column <= 5)
        return result.text(hit.values[column - 1]);
    return std::to_string(column == 6 ? hit.gap : hit.seq);
}

const std::array<std::string, ResultGrid::kColumns>& ResultGrid::headers() {
    static const std::array<std::string, kColumns> headers{"号码（分组）", "最小遗漏", "最大遗漏",
                                                           "最后遗漏", "大后比"};
    return headers;
}

std::string ResultGrid::cell(const analysis::SummaryRow& summary, int column) {
    switch (column) {
    case 0:
        return summary.desc;
    case 1:
        return std::to_string(summary.min);
    case 2:
        return std::to_string(summary.max);
    case 3:
        return std::to_string(summary.last);
    default:
        return summary.ratio;
    }
}

std::string ResultGrid::cell(const history::YlRow& row, int column) {
    switch (column) {
    case 0:
        return row.content;
    case 1:
        return std::to_string(row.intMinYL);
    case 2:
        return std::to_string(row.intMaxYL);
    case 3:
        return std::to_string(row.intLstYl);
    default:
        return history::sglLlrText(row.sglLlr);
    }
}

history::TextGrid historyTextGrid(const history::Snapshot& snapshot) {
    return textGridOf<HistoryGrid>(snapshot.size(), [&snapshot](std::size_t row, int column) {
        return HistoryGrid::cell(snapshot, row, column);
    });
}

history::TextGrid searchTextGrid(const analysis::SearchResult& result) {
    return textGridOf<SearchGrid>(result.hits.size(), [&result](std::size_t row, int column) {
        return SearchGrid::cell(result, row, column);
    });
}

history::TextGrid summaryTextGrid(const analysis::SummaryRow& summary) {
    return textGridOf<ResultGrid>(
        1, [&summary](std::size_t, int column) { return ResultGrid::cell(summary, column); });
}

history::TextGrid ylTextGrid(const std::vector<history::YlRow>& rows) {
    return textGridOf<ResultGrid>(rows.size(), [&rows](std::size_t row, int column) {
        return ResultGrid::cell(rows[row], column);
    });
}

} // namespace yilou::session
