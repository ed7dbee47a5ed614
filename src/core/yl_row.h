#pragma once

#include <cstdint>
#include <string>

namespace yilou::history {

/// One row of the table YL: the statistics of one combination of the grouped calculation.
struct YlRow {
    std::string content;       ///< the members' labels joined by one blank
    std::int32_t intMinYL = 0; ///< smallest gap, 32767 when the range holds no hit
    std::int32_t intMaxYL = 0; ///< largest gap, 0 when the range holds no hit
    std::int32_t intLstYl = 0; ///< current omission, counted to the newest draw of the history
    float sglLlr = 0;          ///< 大后比: intMaxYL ÷ intLstYl in single precision

    friend bool operator==(const YlRow&, const YlRow&) = default;
};

} // namespace yilou::history
