#include <dialogs/RowProgressDialog.h>

#include <dialogs/ProgressRun.h>

#include <QProgressDialog>

#include <algorithm>
#include <climits>

QString RowWorkText(RowWork work, std::size_t done, std::size_t total)
{
    switch (work) {
    case RowWork::Estimating:
        return QStringLiteral("正在估算加工时间：第 %1 行，共 %2 行").arg(done).arg(total);
    case RowWork::WritingPrograms:
        return QStringLiteral("正在生成加工程序：第 %1 行，共 %2 行").arg(done).arg(total);
    case RowWork::WritingJobSheet:
        break;
    }
    return QStringLiteral("正在生成生产单PDF...");
}

void RunRowsWithProgress(RowProgress& progress, RowWork work, const std::function<void()>& run,
                         std::chrono::milliseconds showAfter)
{
    ProgressShown shown;
    shown.update = [&progress, work](QProgressDialog& dialog) {
        const std::size_t total = progress.total();
        dialog.setLabelText(RowWorkText(work, progress.done(), total));
        if (work == RowWork::WritingJobSheet || total == 0)
            return;
        dialog.setRange(0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
        dialog.setValue(static_cast<int>(std::min(progress.done(), total)));
    };
    if (work != RowWork::WritingJobSheet)
        shown.cancel = [&progress] { progress.cancel(); };
    RunWithProgress(run, shown, showAfter);
}
