#include "search_oracle.h"

#include "core/zodiac.h"
#include "support/reference_attributes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>

namespace yilou::testing {

namespace {

using analysis::SearchRequest;
using analysis::SearchType;

struct TypeRow {
    const char* column; // free-position text column
    char letter;
    bool twoDigits;
    int counterLow, counterHigh; // bounds of the occurrence counter array
};

// intLei 0..5, as the search buttons' table gives them.
constexpr std::array<TypeRow, 6> kTypes{{{"txtHisLst", 'A', true, 0, -1},
                                         {"txtHisLstSx", 'B', true, 0, 12},
                                         {"txtHisLstTou", 'E', false, 0, 1},
                                         {"txtHisLstWei", 'F', false, 0, 9},
                                         {"txtHisLstHe", 'G', true, 1, 9},
                                         {"txtHisLstDs", 'H', false, 0, 3}}};

const TypeRow& rowOf(SearchType type) {
    return kTypes[static_cast<int>(type)];
}

// Format(v, "00").
std::string format00(int v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%s%02d", v < 0 ? "-" : "", std::abs(v));
    return buffer;
}

char prefixOf(const SearchRequest& request) {
    return request.order == history::NumberOrder::Drop ? 'L' : 'D';
}

// The occurrence counters of one pass; a value outside the array is an error in the statement
// rules and skips the statement that would use it.
class Counters {
public:
    explicit Counters(SearchType type) : row_(rowOf(type)) {}
    std::optional<int> raise(int v) {
        if (v < row_.counterLow || v > row_.counterHigh)
            return std::nullopt;
        return ++counts_[v];
    }

private:
    const TypeRow& row_;
    std::map<int, int> counts_;
};

// The free-position token of one position, or nothing when its statement is skipped.
std::optional<std::string> freeToken(SearchType type, int v, Counters& counters) {
    if (type == SearchType::Number)
        return format00(v);
    const auto c = counters.raise(v);
    if (!c)
        return std::nullopt;
    return std::to_string(*c) + "X" + (rowOf(type).twoDigits ? format00(v) : std::to_string(v));
}

std::string fixedCondition(const SearchRequest& request, int p, int v) {
    const std::string column = std::string(1, prefixOf(request)) + std::to_string(p);
    if (rowOf(request.type).letter == 'G')
        return "([" + column + "E" + "] + [" + column + "F" + "]) = " + std::to_string(v);
    return "[" + column + rowOf(request.type).letter + "] = " + std::to_string(v);
}

// The grid's text of a stored value.
std::string cellText(SearchType type, long long value, int sxIni) {
    const long long k = value - sxIni;
    if (type == SearchType::Zodiac && k >= 0 && k <= 11)
        return std::string(history::strSxName[k]);
    return std::to_string(value);
}

// %.15g: the ratios of small histories never reach the exponent form.
std::string ratio(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

} // namespace

SearchOracle::SearchOracle(const std::filesystem::path& file,
                           const std::vector<history::DrawRecord>& records,
                           const history::AttributeRules& rules)
    : db_(file) {
    db_.replaceAll(records);
    writeReferenceAttributes(db_, rules);
}

OracleResult SearchOracle::Command1_Click(const SearchRequest& request) {
    auto& sql = db_.sql();
    // The scratch columns are rolled back afterwards; the statements need no durability.
    history::Transaction scratch(sql);
    const TypeRow& type = rowOf(request.type);
    std::string description;
    int n = 0;
    sql.exec("UPDATE [Lishi] SET [intTh]=0");
    Counters counters(request.type);
    for (int p = 1; p <= 5; ++p) {
        const auto& box = request.positions[p - 1];
        if (!box.selected)
            continue;
        const int v = box.value;
        ++n;
        if (request.freePosition) {
            description += box.text + " ";
            if (const auto token = freeToken(request.type, v, counters))
                sql.exec("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE [" +
                         std::string(type.column) + "] GLOB '*" + *token + "*'");
        } else {
            description += format00(v) + " ";
            sql.exec("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE " +
                     fixedCondition(request, p, v));
        }
    }
    return YilouXianshi(request, " AND [intTh] = " + std::to_string(n), description);
}

OracleResult SearchOracle::Command2_Click(const SearchRequest& request, int k,
                                          const std::string& kText) {
    auto& sql = db_.sql();
    history::Transaction scratch(sql);
    sql.exec("UPDATE [Lishi] SET [bolOk]= 0");
    if (request.freePosition)
        sql.exec("UPDATE [Lishi] SET [txtHisP6]= [" + std::string(rowOf(request.type).column) +
                 "]");
    if (k >= 1 && k <= 5) {
        // Every k-subset of 1..5 in lexicographic order, as k nested loops would give them.
        std::vector<int> subset(static_cast<std::size_t>(k));
        for (int i = 0; i < k; ++i)
            subset[i] = i + 1;
        while (true) {
            sql.exec("UPDATE [Lishi] SET [intTh]=0");
            Counters counters(request.type);
            for (int p : subset) {
                const int v = request.positions[p - 1].value;
                if (!request.freePosition) {
                    sql.exec("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE " +
                             fixedCondition(request, p, v));
                } else if (const auto token = freeToken(request.type, v, counters)) {
                    sql.exec("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE [txtHisP6] GLOB '*" +
                             *token + "*'");
                }
            }
            sql.exec("UPDATE [Lishi] SET [bolOk]= 1 WHERE [intTh] = " + std::to_string(k));
            int i = k - 1;
            while (i >= 0 && subset[i] == 5 - (k - 1 - i))
                --i;
            if (i < 0)
                break;
            ++subset[i];
            for (int j = i + 1; j < k; ++j)
                subset[j] = subset[j - 1] + 1;
        }
    }
    std::string description;
    for (const auto& box : request.positions)
        description += box.text + " ";
    description += "(" + kText + ")";
    return YilouXianshi(request, " AND [bolOk]= 1", description);
}

OracleResult SearchOracle::YilouXianshi(const SearchRequest& request, const std::string& filter,
                                        const std::string& description) {
    auto& sql = db_.sql();
    const std::string start = std::to_string(request.startIssue);
    const std::string end = std::to_string(request.endIssue);
    const std::string select = "SELECT * FROM [lishi] WHERE [SQQH] >= " + start +
                               " AND  [SQQH] <= " + end + filter + " ORDER BY [IDX]";
    sqlite3_stmt* rows = nullptr;
    if (sqlite3_prepare_v2(sql.handle(), select.c_str(), -1, &rows, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(sql.handle()));
    std::map<std::string, int> columnIndex;
    for (int c = 0; c < sqlite3_column_count(rows); ++c)
        columnIndex[sqlite3_column_name(rows, c)] = c;
    std::array<int, 5> valueColumns{};
    for (int j = 1; j <= 5; ++j)
        valueColumns[j - 1] = columnIndex.at(std::string(1, prefixOf(request)) + std::to_string(j) +
                                             rowOf(request.type).letter);

    OracleResult result;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        OracleRow row;
        row.issue = static_cast<history::Issue>(sqlite3_column_int64(rows, columnIndex.at("SQQH")));
        row.gap = static_cast<std::int32_t>(sqlite3_column_int64(rows, columnIndex.at("IDX")));
        for (int j = 0; j < 5; ++j)
            row.texts[j] =
                cellText(request.type, sqlite3_column_int64(rows, valueColumns[j]), request.sxIni);
        result.hits.push_back(row);
    }
    sqlite3_finalize(rows);

    std::int32_t largest = result.hits.empty() ? 32767 : 0;
    std::int32_t smallest = 32767;
    std::int32_t prev = 0;
    history::Statement seek(sql, "SELECT [IDX] FROM [lishi] WHERE [SQQH] = " + start);
    if (seek.step())
        prev = static_cast<std::int32_t>(seek.integer(0)) - 1;
    std::int32_t r = 0;
    for (auto& row : result.hits) {
        const std::int32_t idx = row.gap;
        row.gap = idx - prev;
        largest = std::max(largest, row.gap);
        smallest = std::min(smallest, row.gap);
        prev = idx;
        row.seq = ++r;
    }
    history::Statement sorted(sql, "SELECT * FROM lishi ORDER BY SQQH");
    std::int32_t newest = 0;
    while (sorted.step())
        newest = static_cast<std::int32_t>(sorted.integer(1)); // IDX, after SQQH
    const std::int32_t current = newest + 1 - prev;
    result.summary = {
        description, smallest, largest, current, ratio(static_cast<double>(largest) / current), {}};
    return result;
}

} // namespace yilou::testing
