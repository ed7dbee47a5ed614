#pragma once

#include <QUrl>
#include <functional>

class QObject;

namespace yilou::app {

enum class GuidePage { Guide, Walkthrough };

/// The user guide shipped with the program: the installed copy beside the program, else the
/// copy in the source tree it was built from.
QUrl guideAddress(GuidePage page);

/// Opens `address` with the desktop's default program through xdg-open, and calls `failed`
/// once xdg-open has said that no program opened it (it exits with an error): a start that
/// succeeds is not yet a page shown. Without xdg-open the toolkit's own way is tried.
void openWithDesktop(const QUrl& address, QObject* owner, std::function<void()> failed);

/// The project's home page, chosen when the program is built (YILOU_HOME_URL); the guide when
/// none was given.
QUrl homePageAddress();

} // namespace yilou::app
