#pragma once

namespace yilou::history {

/// The days of history an online update keeps (the setting IniSerchDay), both included: the
/// update replaces a history whose oldest draw is older than that.
inline constexpr int kFewestKeepDays = 2;
inline constexpr int kMostKeepDays = 16;

} // namespace yilou::history
