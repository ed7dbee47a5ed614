#pragma once

#include <QIcon>

namespace yilou::app {

/// The program's icon from the PNG sizes built into it (16 to 256 pixels): the window shows it
/// whether or not Qt's SVG plugin is installed and wherever the program runs from.
QIcon programIcon();

} // namespace yilou::app
