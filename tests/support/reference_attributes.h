#pragma once

#include "core/draw_record.h"
#include "store/history_db.h"

namespace yilou::testing {

/// Rewrites every attribute column of the history in `db` (both column sets, the number text
/// and the six occurrence lists) from the stored issue and numbers alone, by its own reading
/// of the derivation rules: the reference checks compare the engine with the statements on
/// this table, so it must not share the engine's derivation, or a fault in it would pass both.
/// `rules` supplies the bases and the code of each zodiac.
void writeReferenceAttributes(history::HistoryDb& db, const history::AttributeRules& rules);

} // namespace yilou::testing
