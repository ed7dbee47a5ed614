#include "store/yl_table.h"

#include "store/sqlite_db.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace yilou::history {

void storeYlRows(HistoryDb& db, const std::vector<YlRow>& rows) {
    SqliteDb& sql = db.sql();
    Transaction transaction(sql);
    sql.exec("DELETE FROM [YL]");
    Statement insert(sql, "INSERT INTO [YL] ([content], [intMinYL], [intMaxYL], [intLstYl], "
                          "[sglLlr]) VALUES (?, ?, ?, ?, ?)");
    for (const YlRow& row : rows) {
        insert.bind(1, row.content)
            .bind(2, std::int64_t{row.intMinYL})
            .bind(3, std::int64_t{row.intMaxYL})
            .bind(4, std::int64_t{row.intLstYl})
            .bind(5, double{row.sglLlr});
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

std::vector<YlRow> readYlRows(HistoryDb& db, YlSortColumn column) {
    static constexpr std::array<const char*, 5> fields{"content", "intMinYL", "intMaxYL",
                                                       "intLstYl", "sglLlr"};
    // The table has no key; rowid is the order the rows were stored in, so it settles ties.
    Statement query(db.sql(), std::string("SELECT [content], [intMinYL], [intMaxYL], [intLstYl], "
                                          "[sglLlr] FROM [YL] ORDER BY [") +
                                  fields[static_cast<int>(column)] + "], rowid");
    std::vector<YlRow> rows;
    while (query.step()) {
        YlRow row;
        row.content = query.text(0);
        row.intMinYL = static_cast<std::int32_t>(query.integer(1));
        row.intMaxYL = static_cast<std::int32_t>(query.integer(2));
        row.intLstYl = static_cast<std::int32_t>(query.integer(3));
        row.sglLlr = static_cast<float>(query.real(4));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<YlRow> sortYlRows(std::vector<YlRow> rows, YlSortColumn column, bool descending) {
    // SQLite compares the text by its bytes, as std::string does, and the ratio as stored: a
    // float widened to a double keeps its order.
    const auto by = [&rows, descending](auto key) {
        std::stable_sort(rows.begin(), rows.end(), [&](const YlRow& a, const YlRow& b) {
            return descending ? key(b) < key(a) : key(a) < key(b);
        });
    };
    switch (column) {
    case YlSortColumn::Content:
        by([](const YlRow& row) -> const std::string& { return row.content; });
        break;
    case YlSortColumn::Min:
        by([](const YlRow& row) { return row.intMinYL; });
        break;
    case YlSortColumn::Max:
        by([](const YlRow& row) { return row.intMaxYL; });
        break;
    case YlSortColumn::Last:
        by([](const YlRow& row) { return row.intLstYl; });
        break;
    case YlSortColumn::Ratio:
        by([](const YlRow& row) { return row.sglLlr; });
        break;
    }
    return rows;
}

std::string sglLlrText(float sglLlr) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.7g", double{sglLlr});
    return text.data();
}

} // namespace yilou::history
