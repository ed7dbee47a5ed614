#pragma once

#include "analysis/omission_search.h"
#include "core/draw_record.h"
#include "store/history_db.h"

#include <filesystem>
#include <string>
#include <vector>

namespace yilou::testing {

/// The reference the in-memory searches are compared with: the searches done as set-based
/// statements on the scratch columns of a real history database, then the hits read back in
/// IDX order with the gap loop of the result display. The table's attribute columns are derived
/// by the reference itself (writeReferenceAttributes). It keeps the plain statement rules where
/// the program mends them (a start issue that is not stored counts gaps from IDX 0, a group size
/// outside 1..5 lists nothing), so callers compare only where both agree.
/// A detail row as the reference reads it back: the grid texts of the five values.
struct OracleRow {
    history::Issue issue = 0;
    std::array<std::string, 5> texts;
    std::int32_t gap = 0;
    std::int32_t seq = 0;
};

struct OracleResult {
    std::vector<OracleRow> hits;
    analysis::SummaryRow summary;
};

class SearchOracle {
public:
    /// Stores the issues and numbers of `records` as the whole history of a new database
    /// file, with the attributes derived by the reference under `rules`.
    SearchOracle(const std::filesystem::path& file, const std::vector<history::DrawRecord>& records,
                 const history::AttributeRules& rules);

    history::HistoryDb& db() { return db_; }

    /// The search button: all selected positions must be met.
    OracleResult Command1_Click(const analysis::SearchRequest& request);
    /// The multi-position button: any k of the five positions met together.
    OracleResult Command2_Click(const analysis::SearchRequest& request, int k,
                                const std::string& kText);

private:
    OracleResult YilouXianshi(const analysis::SearchRequest& request, const std::string& filter,
                              const std::string& description);

    history::HistoryDb db_;
};

} // namespace yilou::testing
