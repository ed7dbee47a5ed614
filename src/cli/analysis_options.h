#pragma once

#include "core/draw_record.h"
#include "core/snapshot.h"
#include "session/typed_input.h"

#include <string>

namespace CLI {
class App;
} // namespace CLI

namespace yilou::cli {

/// The options every analysis command shares.
struct CommonOptions {
    std::string type = "number";
    std::string order = "drop";
    std::string from;
    std::string to;
    bool fixed = false;
    std::string ref;
    bool before = false;

    /// The type --type names: number, zodiac, head, tail, sum or segment.
    analysis::SearchType searchType() const;
    history::NumberOrder numberOrder() const {
        return order == "sorted" ? history::NumberOrder::Sorted : history::NumberOrder::Drop;
    }
};

/// --type, --from and --to.
void addTypeAndRange(CLI::App* command, CommonOptions& options);

/// --order: for the commands that read the per-position columns of one order.
void addOrder(CLI::App* command, CommonOptions& options);

/// --ref ISSUE (described by `help`) and --before.
void addReference(CLI::App* command, CommonOptions& options, const std::string& help);

/// The issues of --from and --to (session::rangeIssues: the whole history for those left open).
session::IssueBounds rangeIssues(const history::Snapshot& snapshot, const CommonOptions& options);

} // namespace yilou::cli
