#include "app/dialogs/background_task.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <thread>

namespace yilou::app {

namespace {

/// Runs `work` on a thread of its own while the window's thread handles the events `flags`
/// let through; throws the work's exception again.
void runOnThread(const std::function<void()>& work, QEventLoop::ProcessEventsFlags flags) {
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
    loop.exec(flags);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace

void runWithProgress(QWidget* parent, const QString& label, const std::function<void()>& work) {
    QProgressDialog progress(label, QString(), 0, 0, parent);
    progress.setObjectName(QStringLiteral("progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setCancelButton(nullptr);
    progress.setValue(0);
    runOnThread(work, QEventLoop::ExcludeUserInputEvents);
}

void runStoppable(QWidget* parent, const QString& label,
                  const std::function<void(const ProgressReport&)>& work) {
    constexpr int kSteps = 1000;
    QProgressDialog progress(label, QStringLiteral("取消"), 0, kSteps, parent);
    progress.setObjectName(QStringLiteral("progress"));
    // The Cancel button needs the user's input to reach it; nothing else may have it.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);

    std::atomic<bool> stop = false;
    std::atomic<int> step = 0;
    QObject::connect(&progress, &QProgressDialog::canceled, [&stop] { stop = true; });
    // The worker only counts; the dialog follows on the window's thread.
    QTimer follow;
    QObject::connect(&follow, &QTimer::timeout, &progress, [&] { progress.setValue(step); });
    follow.start(100);
    progress.show();
    runOnThread(
        [&] {
            work([&](std::size_t done, std::size_t total) {
                if (total > 0)
                    step = static_cast<int>(done * kSteps / total);
                return !stop;
            });
        },
        QEventLoop::AllEvents);
}

} // namespace yilou::app
