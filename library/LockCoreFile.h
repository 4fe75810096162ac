#pragma once

#include <library/SaveResult.h>

#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

// Writes program folder + "Lockcores/" + name + ".xml". A null model writes nothing.
SaveResult SaveLockCoreFile(const GK_LockCore* model);
// Reads one lock-core file; null when the file yields no model.
std::unique_ptr<GK_LockCore> LoadLockCoreFile(const std::string& path);
// Appends every lock-core model of the "Lockcores/" folder to the list.
void LoadAllLockCores(GU_OwnedList<GK_LockCore>& list);
