#include "app/dialogs/background_task.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QTimer>
#include <thread>

namespace yilou::app {

void runWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work,
                     std::atomic<bool>* cancel) {
    QProgressDialog progress(label, QString(), 0, 0, parent);
    progress.setObjectName(QStringLiteral("progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    if (cancel) {
        progress.setCancelButtonText(QStringLiteral("取消"));
        QObject::connect(&progress, &QProgressDialog::canceled, [cancel] { *cancel = true; });
    } else {
        progress.setCancelButton(nullptr);
    }
    progress.setValue(0);

    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // A Cancel button needs the user's clicks; without one, input waits until the work is done.
    loop.exec(cancel ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace yilou::app
