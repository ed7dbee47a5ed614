#pragma once

#include <QDir>

namespace yilou::app {
class frmMain;
}

/// The guide's pictures of the analysis side, each taken after doing it through the controls:
/// search.png (检索 of two numbers), partial-search.png (分部检索 of five numbers, any three)
/// and group.png (分组计算 of all eleven numbers in fives, then re-sorted by 最大遗漏).
void takeAnalysisScreenshots(yilou::app::frmMain& window, const QDir& out);
