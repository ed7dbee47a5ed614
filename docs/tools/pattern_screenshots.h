#pragma once

#include <QDir>

namespace yilou::app {
class frmMain;
}

/// The guide's picture of the page 形态走势 over the whole history: patterns.png (奇偶比, its
/// overview beside the trend of the newest 50 draws with 辅助线).
void takePatternScreenshots(yilou::app::frmMain& window, const QDir& out);
