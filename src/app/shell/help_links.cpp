#include "app/shell/help_links.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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

void openWithDesktop(const QUrl& address, QObject* owner, std::function<void()> failed) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(address))
            failed();
        return;
    }
    auto* process = new QProcess(owner);
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         failed();
                         process->deleteLater();
                     });
    process->start(opener, {address.toString()});
}

QUrl homePageAddress() {
    const QString configured = QStringLiteral(YILOU_HOME_URL);
    return configured.isEmpty() ? guideAddress(GuidePage::Guide) : QUrl(configured);
}

} // namespace yilou::app
