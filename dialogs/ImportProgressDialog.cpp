#include <dialogs/ImportProgressDialog.h>

#include <dialogs/ImportMessages.h>
#include <dialogs/ProgressRun.h>

#include <importer/ImportProgress.h>

#include <QProgressDialog>

void RunImportWithProgress(ImportProgress& progress, const std::function<void()>& work,
                           std::chrono::milliseconds showAfter)
{
    RunWithProgress(work,
                    {[&progress](QProgressDialog& dialog) { dialog.setLabelText(ImportStageText(progress.stage())); },
                     [&progress] { progress.cancel(); }},
                    showAfter);
}
