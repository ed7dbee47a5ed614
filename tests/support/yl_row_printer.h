#pragma once

#include "core/yl_row.h"
#include "store/yl_table.h"

#include <ostream>

namespace yilou::history {

/// Lets test failures show the rows.
inline void PrintTo(const YlRow& row, std::ostream* out) {
    *out << "{\"" << row.content << "\", " << row.intMinYL << ", " << row.intMaxYL << ", "
         << row.intLstYl << ", " << sglLlrText(row.sglLlr) << "}";
}

} // namespace yilou::history
