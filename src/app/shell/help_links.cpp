#include "app/shell/help_links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace yilou::app {

QUrl guideAddress(GuidePage page) {
    const QString name = page == GuidePage::Guide ? QStringLiteral("index.html")
                                                  : QStringLiteral("walkthrough.html");
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/doc/yilou/guide/") + name;
    const QString source = QStringLiteral(YILOU_SOURCE_GUIDE_DIR "/") + name;
    return QUrl::fromLocalFile(
        QFileInfo(QFileInfo::exists(installed) ? installed : source).absoluteFilePath());
}

QUrl homePageAddress() {
    const QString configured = QStringLiteral(YILOU_HOME_URL);
    return configured.isEmpty() ? guideAddress(GuidePage::Guide) : QUrl(configured);
}

} // namespace yilou::app
