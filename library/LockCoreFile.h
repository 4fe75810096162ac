#pragma once

#include <library/LoadProblem.h>
#include <library/SaveResult.h>

#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

// Writes program folder + "Lockcores/" + name + ".xml". A null model writes nothing.
SaveResult SaveLockCoreFile(const GK_LockCore* model);
// Reads one lock-core file: the model, or why the file yields none.
ModelLoad<GK_LockCore> LoadLockCoreFile(const std::string& path);
// Appends every lock-core model of the "Lockcores/" folder to the list; files
// that yield none go to skipped, when given.
void LoadAllLockCores(GU_OwnedList<GK_LockCore>& list, std::vector<SkippedFile>* skipped = nullptr);
