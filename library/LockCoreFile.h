#pragma once

#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>

// Writes program folder + "Lockcores/" + name + ".xml" (SaveModelFile says
// what is refused). A null model writes nothing.
SaveResult SaveLockCoreFile(const GK_LockCore* model, const SaveContext& context = {});
// Reads one lock-core file; null when the file yields no model. seen receives
// the fingerprint of the bytes read.
std::unique_ptr<GK_LockCore> LoadLockCoreFile(const std::string& path,
                                              std::optional<FileFingerprint>* seen = nullptr);
// Appends every lock-core model of the "Lockcores/" folder to the list,
// noting the files read in files when given.
void LoadAllLockCores(GU_OwnedList<GK_LockCore>& list, LibraryFiles* files = nullptr);
