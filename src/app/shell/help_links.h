#pragma once

#include <QUrl>

namespace yilou::app {

enum class GuidePage { Guide, Walkthrough };

/// The user guide shipped with the program: the installed copy beside the program, else the
/// copy in the source tree it was built from.
QUrl guideAddress(GuidePage page);

/// The project's home page, chosen when the program is built (YILOU_HOME_URL); the guide when
/// none was given.
QUrl homePageAddress();

} // namespace yilou::app
