#pragma once

#include <QDir>

namespace yilou::app {
class frmMain;
}

/// The guide's picture of the page 缩水回测: filter.png (任选五 with 03, without 11, sum 25–35,
/// two or three odd numbers, back-tested over the newest 500 draws).
void takeFilterScreenshots(yilou::app::frmMain& window, const QDir& out);
