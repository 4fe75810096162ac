#pragma once

#include <chrono>
#include <functional>

class ImportProgress;

// Runs an import on a thread of its own and waits for it while this thread
// keeps handling events, so that the windows repaint and the program stays
// responsive. User input waits until the import ends or, after `showAfter`,
// a modal dialog over the active window shows the import's stage with "取消",
// which cancels progress. Returns once `work` has returned.
void RunImportWithProgress(ImportProgress& progress, const std::function<void()>& work,
                           std::chrono::milliseconds showAfter = std::chrono::milliseconds(500));
