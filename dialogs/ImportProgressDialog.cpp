#include <dialogs/ImportProgressDialog.h>

#include <dialogs/ImportMessages.h>

#include <importer/ImportProgress.h>

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

// How often the dialog looks at the import's stage.
constexpr int kStageRefreshMs = 100;

} // namespace

void RunImportWithProgress(ImportProgress& progress, const std::function<void()>& work,
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
        dialog.setCancelButtonText(QStringLiteral("取消"));
        dialog.setRange(0, 0);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        dialog.setLabelText(ImportStageText(progress.stage()));
        QObject::connect(&dialog, &QProgressDialog::canceled, [&progress] { progress.cancel(); });
        QTimer stageTimer;
        QObject::connect(&stageTimer, &QTimer::timeout,
                         [&] { dialog.setLabelText(ImportStageText(progress.stage())); });
        stageTimer.start(kStageRefreshMs);
        dialog.show();
        if (!done.load())
            loop.exec();
    }
    worker.join();
}
