#include <dialogs/ProgressRun.h>

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

// How often the dialog looks at the work's progress.
constexpr int kRefreshMs = 100;

} // namespace

void RunWithProgress(const std::function<void()>& work, const ProgressShown& shown,
                     std::chrono::milliseconds showAfter)
{
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // First only repaints and timers: a click meant for the window must not
    // start another command while this one runs.
    QTimer showTimer;
    showTimer.setSingleShot(true);
    showTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&showTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
    showTimer.start(showAfter);
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!done.load()) {
        QProgressDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(QGuiApplication::applicationDisplayName());
        dialog.setWindowModality(Qt::ApplicationModal);
        if (shown.cancel)
            dialog.setCancelButtonText(QStringLiteral("取消"));
        else
            dialog.setCancelButton(nullptr);
        dialog.setRange(0, 0);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        if (shown.update)
            shown.update(dialog);
        if (shown.cancel)
            QObject::connect(&dialog, &QProgressDialog::canceled, shown.cancel);
        QTimer refreshTimer;
        if (shown.update)
            QObject::connect(&refreshTimer, &QTimer::timeout, [&] { shown.update(dialog); });
        refreshTimer.start(kRefreshMs);
        dialog.show();
        if (!done.load())
            loop.exec();
    }
    worker.join();
}
