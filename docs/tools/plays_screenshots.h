#pragma once

#include <QDir>

namespace yilou::app {
class frmMain;
}

/// The guide's picture of the page 玩法遗漏 over the whole history: plays.png (前二直选, sorted
/// by 当前遗漏 from the longest, so that the tinted cells come first).
void takePlaysScreenshots(yilou::app::frmMain& window, const QDir& out);
