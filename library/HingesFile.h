#pragma once

#include <library/LoadProblem.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>

// Writes the context's folder + "Hinges/" + name + ".xml" (SaveModelFile says
// what is refused). A null model writes nothing.
SaveResult SaveHingesFile(const GK_Hinges* model, const SaveContext& context);
// Reads one hinge file: the model, or why the file yields none. seen receives
// the fingerprint of the bytes read.
ModelLoad<GK_Hinges> LoadHingesFile(const std::string& path, std::optional<FileFingerprint>* seen = nullptr);
// Appends every hinge model of the "Hinges/" folder of the library in root to
// the list; files that yield none go to skipped, and the files read are noted
// in files, when given.
void LoadAllHinges(const std::string& root, GU_SharedList<GK_Hinges>& list, std::vector<SkippedFile>* skipped = nullptr,
                   LibraryFiles* files = nullptr);
