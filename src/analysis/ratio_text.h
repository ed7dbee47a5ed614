#pragma once

#include <string>

namespace yilou::analysis {

/// A ratio as the summary shows it: plain decimal, rounded to 15 significant digits, without
/// trailing zeros or exponent (10 ÷ 3 → "3.33333333333333", 4 ÷ 2 → "2", 1 ÷ 10⁶ → "0.000001").
std::string ratioText(double value);

} // namespace yilou::analysis
