#pragma once

#include "cli/output.h"
#include "session/grid_text.h"

#include <ostream>

namespace yilou::cli {

/// A search's hits and its summary: as two tables, or as one json document ("hits", "summary").
void printSearchResult(std::ostream& out, OutputFormat format,
                       const analysis::SearchResult& result);

} // namespace yilou::cli
