#pragma once

#include <chrono>
#include <functional>

class QProgressDialog;

// What the progress dialog of a run shows: update sets its texts and range
// (called when it opens and every tenth of a second after), cancel is what
// "取消" does; without cancel the dialog has no button.
struct ProgressShown {
    std::function<void(QProgressDialog&)> update;
    std::function<void()> cancel;
};

// Runs work on a thread of its own and waits for it while this thread keeps
// handling events, so that the windows repaint and the program stays
// responsive. User input waits until the work ends or, after showAfter, a
// modal progress dialog over the active window shows what shown says.
// Returns once work has returned.
void RunWithProgress(const std::function<void()>& work, const ProgressShown& shown,
                     std::chrono::milliseconds showAfter);
