#include "session/grid_text.h"

namespace yilou::session {

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

std::array<std::string, ResultGrid::kColumns>
ResultGrid::cells(const analysis::SummaryRow& summary) {
    return {summary.desc, std::to_string(summary.min), std::to_string(summary.max),
            std::to_string(summary.last), summary.ratio};
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

} // namespace yilou::session
