#include "analysis/ratio_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace yilou::analysis {

std::string ratioText(double value) {
    if (!std::isfinite(value))
        return std::to_string(value); // has no exponent to read below
    // The exponent after rounding to 15 significant digits fixes how many decimals those
    // digits need in plain form.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, 14 - exponent), value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

} // namespace yilou::analysis
