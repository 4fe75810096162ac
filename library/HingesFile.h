#pragma once

#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>

// Writes program folder + "Hinges/" + name + ".xml" (SaveModelFile says what
// is refused). A null model writes nothing.
SaveResult SaveHingesFile(const GK_Hinges* model, const SaveContext& context = {});
// Reads one hinge file; null when the file yields no model. seen receives the
// fingerprint of the bytes read.
std::unique_ptr<GK_Hinges> LoadHingesFile(const std::string& path, std::optional<FileFingerprint>* seen = nullptr);
// Appends every hinge model of the "Hinges/" folder to the list, noting the
// files read in files when given.
void LoadAllHinges(GU_OwnedList<GK_Hinges>& list, LibraryFiles* files = nullptr);
