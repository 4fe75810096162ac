#pragma once

#include <library/LoadProblem.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>

// Writes the context's folder + "Lockcores/" + name + ".xml" (SaveModelFile
// says what is refused). A null model writes nothing.
SaveResult SaveLockCoreFile(const GK_LockCore* model, const SaveContext& context);
// Reads one lock-core file: the model, or why the file yields none. seen
// receives the fingerprint of the bytes read.
ModelLoad<GK_LockCore> LoadLockCoreFile(const std::string& path, std::optional<FileFingerprint>* seen = nullptr);
// Appends every lock-core model of the "Lockcores/" folder of the library in
// root to the list; files that yield none go to skipped, and the files read
// are noted in files, when given.
void LoadAllLockCores(const std::string& root, GU_SharedList<GK_LockCore>& list,
                      std::vector<SkippedFile>* skipped = nullptr, LibraryFiles* files = nullptr);
