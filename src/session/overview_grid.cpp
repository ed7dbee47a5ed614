#include "session/overview_grid.h"

#include "analysis/ratio_text.h"
#include "session/messages.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace yilou::session {

using analysis::IssueSpan;
using analysis::OverviewResult;
using analysis::OverviewRow;
using analysis::SearchType;

namespace {

struct ColumnInfo {
    const char* header;
    const char* key;
};

constexpr std::array<ColumnInfo, kOverviewColumnCount> kColumns{{
    {nullptr, "value"},
    {"出现次数", "hits"},
    {"理论次数", "expectedHits"},
    {"最小遗漏", "minGap"},
    {"最大遗漏", "maxGap"},
    {"当前遗漏", "currentGap"},
    {"大后比", "ratio"},
    {"平均遗漏", "meanGap"},
    {"上次遗漏", "lastGap"},
    {"理论遗漏", "theoreticalGap"},
    {"欲出几率", "dueChance"},
    {"最大遗漏期间", "maxGapSpan"},
    {"最大连出", "maxRun"},
    {"当前连出", "currentRun"},
}};

std::string twoDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

template <typename T, typename Format>
std::string optionalText(const std::optional<T>& value, Format format) {
    return value ? format(*value) : std::string(kNoFigure);
}

} // namespace

std::string overviewHeader(OverviewColumn column, SearchType type) {
    const char* header = kColumns[static_cast<int>(column)].header;
    return header ? header : std::string(messages::typeName(type));
}

const char* overviewKey(OverviewColumn column) {
    return kColumns[static_cast<int>(column)].key;
}

std::optional<OverviewColumn> overviewColumnFromKey(const std::string& key) {
    for (int c = 0; c < kOverviewColumnCount; ++c)
        if (key == kColumns[c].key)
            return static_cast<OverviewColumn>(c);
    return std::nullopt;
}

std::string overviewValueText(SearchType type, int value, int sxIni) {
    return type == SearchType::Number ? history::twoDigitText(value)
                                      : analysis::valueLabel(type, value, sxIni);
}

std::string placeCaption(int place) {
    if (place == kEachPosition)
        return "第1～5位";
    return place == analysis::kAnyPlace ? "任意位" : "第" + std::to_string(place) + "位";
}

std::string overviewCellText(const OverviewResult& result, const OverviewRow& row,
                             OverviewColumn column) {
    return column == OverviewColumn::Value ? overviewValueText(result.type, row.value, result.sxIni)
                                           : overviewFigureText(row, column);
}

std::string overviewFigureText(const OverviewRow& row, OverviewColumn column) {
    const auto count = [](std::int32_t value) { return std::to_string(value); };
    switch (column) {
    case OverviewColumn::Value:
        break;
    case OverviewColumn::Hits:
        return count(row.hits);
    case OverviewColumn::ExpectedHits:
        return twoDecimals(row.expectedHits);
    case OverviewColumn::MinGap:
        return optionalText(row.minGap, count);
    case OverviewColumn::MaxGap:
        return count(row.maxGap);
    case OverviewColumn::CurrentGap:
        return row.possible ? count(row.currentGap) : std::string(messages::kImpossibleValue);
    case OverviewColumn::Ratio:
        return optionalText(row.ratio, analysis::ratioText);
    case OverviewColumn::MeanGap:
        return optionalText(row.meanGap, twoDecimals);
    case OverviewColumn::LastGap:
        return optionalText(row.lastGap, count);
    case OverviewColumn::TheoreticalGap:
        return optionalText(row.theoreticalGap, twoDecimals);
    case OverviewColumn::DueChance:
        return optionalText(row.dueChance, twoDecimals);
    case OverviewColumn::MaxGapSpan:
        return optionalText(row.maxGapSpan, [](const IssueSpan& span) {
            return history::issueText(span.first) + "～" + history::issueText(span.last);
        });
    case OverviewColumn::MaxRun:
        return count(row.maxRun);
    case OverviewColumn::CurrentRun:
        return count(row.currentRun);
    }
    return {};
}

std::optional<double> overviewSortKey(const OverviewRow& row, OverviewColumn column) {
    // A value no number can take is never due: it goes last by every figure.
    if (!row.possible && column != OverviewColumn::Value)
        return std::nullopt;
    switch (column) {
    case OverviewColumn::Value:
        return row.value;
    case OverviewColumn::Hits:
        return row.hits;
    case OverviewColumn::ExpectedHits:
        return row.expectedHits;
    case OverviewColumn::MinGap:
        return row.minGap;
    case OverviewColumn::MaxGap:
        return row.maxGap;
    case OverviewColumn::CurrentGap:
        return row.currentGap;
    case OverviewColumn::Ratio:
        return row.ratio;
    case OverviewColumn::MeanGap:
        return row.meanGap;
    case OverviewColumn::LastGap:
        return row.lastGap;
    case OverviewColumn::TheoreticalGap:
        return row.theoreticalGap;
    case OverviewColumn::DueChance:
        return row.dueChance;
    case OverviewColumn::MaxGapSpan:
        if (!row.maxGapSpan)
            return std::nullopt;
        return row.maxGapSpan->first;
    case OverviewColumn::MaxRun:
        return row.maxRun;
    case OverviewColumn::CurrentRun:
        return row.currentRun;
    }
    return std::nullopt;
}

void sortOverviewRows(std::vector<OverviewRow>& rows, OverviewColumn column, bool descending) {
    std::stable_sort(rows.begin(), rows.end(),
                     [column, descending](const OverviewRow& a, const OverviewRow& b) {
                         const auto x = overviewSortKey(a, column);
                         const auto y = overviewSortKey(b, column);
                         return x && (!y || (descending ? *y < *x : *x < *y));
                     });
}

std::string histogramHeader(int length) {
    return length > analysis::kHistogramLengths
               ? "遗漏" + std::to_string(analysis::kHistogramLengths) + "以上"
               : "遗漏" + std::to_string(length);
}

std::string overviewCaption(const OverviewResult& result, const history::Snapshot& snapshot) {
    return viewCaption(result.type, placeCaption(result.place), result.range, snapshot);
}

std::string viewCaption(SearchType type, const std::string& place, analysis::IndexRange range,
                        const history::Snapshot& snapshot) {
    return std::string(messages::typeName(type)) + "  " + place + "  " +
           rangeCaption(range, snapshot);
}

std::string rangeCaption(analysis::IndexRange range, const history::Snapshot& snapshot) {
    return history::issueText(snapshot.issues[range.first]) + "～" +
           history::issueText(snapshot.issues[range.last]) + "（" + std::to_string(range.size()) +
           "期）";
}

const std::array<std::string, MissingGrid::kColumns>& MissingGrid::headers() {
    static const std::array<std::string, kColumns> headers{"起始期号", "截止期号", "缺失期数"};
    return headers;
}

std::string MissingGrid::cell(const history::MissingRange& range, int column) {
    switch (column) {
    case 0:
        return history::issueText(range.first);
    case 1:
        return history::issueText(range.last);
    default:
        return std::to_string(range.count);
    }
}

} // namespace yilou::session
