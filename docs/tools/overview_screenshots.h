#pragma once

#include <QDir>

namespace yilou::app {
class frmMain;
}

/// The guide's pictures of the pages 遗漏总览 and 走势图 over the whole history: overview.png
/// (numbers anywhere, sorted by 当前遗漏 from the longest, the first row's histogram) and
/// trend.png (the newest 50 draws at position 1 with 辅助线).
void takeOverviewScreenshots(yilou::app::frmMain& window, const QDir& out);
