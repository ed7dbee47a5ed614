#include "support/grouped_oracle.h"

#include "core/zodiac.h"
#include "store/sqlite_db.h"

#include <array>
#include <string>

namespace yilou::testing {

namespace {

using analysis::GroupRequest;
using history::SqliteDb;
using history::Statement;
using history::YlRow;

constexpr std::array<const char*, 6> kColumnOfType{"txtHisLst",    "txtHisLstSx", "txtHisLstTou",
                                                   "txtHisLstWei", "txtHisLstHe", "txtHisLstDs"};

std::string twoDigitText(int code) {
    return code >= 0 && code < 10 ? "0" + std::to_string(code) : std::to_string(code);
}

bool writtenWithTwoDigits(int type) {
    return type == 0 || type == 1 || type == 4;
}

std::string patternOf(int type, int code) {
    if (type == 0)
        return "*" + twoDigitText(code) + "*";
    return "*1X" + (writtenWithTwoDigits(type) ? twoDigitText(code) : std::to_string(code)) + "*";
}

std::string labelOf(int type, int code, int sxIni) {
    if (type == 1 && code - sxIni >= 0 && code - sxIni < 12)
        return std::string(history::strSxName[code - sxIni]);
    return type == 1 || !writtenWithTwoDigits(type) ? std::to_string(code) : twoDigitText(code);
}

/// What AddYL reads of the whole history: where "SELECT * FROM lishi" puts IDX, and the IDX
/// of the newest draw, the last row of "SELECT * FROM lishi ORDER BY SQQH". AddYL reopens that
/// view on every call; the calculation changes no IDX, so it is read once here.
struct HistoryView {
    int idxColumn = 0;
    std::int64_t newestIdx = 0;

    explicit HistoryView(SqliteDb& sql) {
        Statement column(sql, "SELECT [cid] FROM pragma_table_info('Lishi') WHERE [name] = 'IDX'");
        column.step();
        idxColumn = static_cast<int>(column.integer(0));
        Statement sorted(sql, "SELECT * FROM lishi ORDER BY SQQH");
        while (sorted.step())
            newestIdx = sorted.integer(idxColumn);
    }
};

/// One AddYL. A failed seek of the start issue abandons the row.
void AddYL(SqliteDb& sql, const HistoryView& view, const GroupRequest& request,
           const std::string& description, std::vector<YlRow>& rows) {
    const std::string s = std::to_string(request.startIssue);
    const std::string e = std::to_string(request.endIssue);
    Statement hits(sql, "SELECT * FROM [lishi] WHERE [SQQH] >= " + s + " AND  [SQQH] <= " + e +
                            " AND [intTh] = " + std::to_string(request.k) + " ORDER BY [IDX]");
    std::int64_t max = 0;
    std::int64_t min = 32767;
    Statement seek(sql, "SELECT [IDX] FROM [Lishi] WHERE [SQQH] = " + s);
    if (!seek.step())
        return;
    std::int64_t prev = seek.integer(0) - 1;
    while (hits.step()) {
        const std::int64_t gap = hits.integer(view.idxColumn) - prev;
        if (gap > max)
            max = gap;
        if (gap < min)
            min = gap;
        prev = hits.integer(view.idxColumn);
    }
    const std::int64_t last = view.newestIdx + 1 - prev;

    Statement insert(sql, "INSERT INTO [YL] ([content], [intMaxYL], [intMinYL], [intLstYl], "
                          "[sglLlr]) VALUES (?, ?, ?, ?, ?)");
    const float ratio = static_cast<float>(static_cast<double>(max) / static_cast<double>(last));
    insert.bind(1, description).bind(2, max).bind(3, min).bind(4, last).bind(5, double{ratio});
    insert.run();
    rows.push_back({description, static_cast<std::int32_t>(min), static_cast<std::int32_t>(max),
                    static_cast<std::int32_t>(last), ratio});
}

void P6Count(SqliteDb& sql, const GroupRequest& request, std::vector<YlRow>& rows) {
    const int n = static_cast<int>(request.codes.size());
    const int k = request.k;
    const int type = static_cast<int>(request.type);
    if (k < 1 || k > 6 || n < k)
        return;
    const HistoryView view(sql);
    // The k nested loops of positions 1..n, p[j] from p[j − 1] + 1 to n − k + j.
    std::array<int, 7> p{};
    int depth = 1;
    p[1] = 0;
    while (depth > 0) {
        if (++p[depth] > n - k + depth) {
            --depth;
            continue;
        }
        if (depth < k) {
            p[depth + 1] = p[depth];
            ++depth;
            continue;
        }
        sql.exec("UPDATE [Lishi] SET [intTh]=0");
        std::string description;
        for (int j = 1; j <= k; ++j) {
            const int code = request.codes[p[j] - 1];
            sql.exec("UPDATE [Lishi] SET [intTh]=([intTh] +1) WHERE [txtHisP6] GLOB '" +
                     patternOf(type, code) + "'");
            description += (j > 1 ? " " : "") + labelOf(type, code, request.sxIni);
        }
        AddYL(sql, view, request, description, rows);
    }
}

} // namespace

std::vector<YlRow> oracleGroupedRows(history::HistoryDb& db, const GroupRequest& request) {
    SqliteDb& sql = db.sql();
    history::Transaction transaction(sql);
    sql.exec("DELETE FROM [YL]");
    sql.exec("UPDATE [Lishi] SET [intTh]=0");
    sql.exec(std::string("UPDATE [Lishi] SET [txtHisP6]= [") +
             kColumnOfType[static_cast<int>(request.type)] + "]");
    std::vector<YlRow> rows;
    P6Count(sql, request, rows);
    transaction.commit();
    return rows;
}

std::vector<YlRow> oracleSortedRows(history::HistoryDb& db, history::YlSortColumn column) {
    static constexpr std::array<const char*, 5> fields{"content", "intMinYL", "intMaxYL",
                                                       "intLstYl", "sglLlr"};
    Statement query(db.sql(),
                    std::string("SELECT * FROM YL ORDER BY ") + fields[static_cast<int>(column)]);
    std::vector<YlRow> rows;
    while (query.step())
        rows.push_back({query.text(0), static_cast<std::int32_t>(query.integer(1)),
                        static_cast<std::int32_t>(query.integer(2)),
                        static_cast<std::int32_t>(query.integer(3)),
                        static_cast<float>(query.real(4))});
    return rows;
}

} // namespace yilou::testing
