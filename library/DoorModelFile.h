#pragma once

#include <library/LoadProblem.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>

class ModelLibrary;

// Whether a door length, width or thickness makes a door: a finite number
// above zero. The reader drops a door file with any other size.
bool IsValidDoorSize(double value);
// Whether a size still makes a door as the file writes it, to hundredths: a
// door with any other size is refused when saved, as it would not load again.
bool IsSavableDoorSize(double value);

// Writes the context's folder + "DoorModel/" + name + ".xml" (SaveModelFile
// says what is refused). A null door writes nothing.
SaveResult SaveDoorModelFile(const GK_DoorWithHinges* door, const SaveContext& context);
// Reads one door file, resolving its models by name among the library's
// hinge and lock-core models. seen receives the fingerprint of the bytes read;
// a door that names a model not found goes to unbound, when given.
ModelLoad<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path, const ModelLibrary& models,
                                               std::optional<FileFingerprint>* seen = nullptr,
                                               std::vector<UnboundDoor>* unbound = nullptr);
// Appends every door model of the "DoorModel/" folder of the library in root
// to the list, resolving their models in models; files that yield none go to
// skipped, the files read are noted in files, and doors that name a model not
// found go to unbound, when given.
void LoadAllDoorModels(const std::string& root, GU_SharedList<GK_DoorWithHinges>& list, const ModelLibrary& models,
                       std::vector<SkippedFile>* skipped = nullptr, LibraryFiles* files = nullptr,
                       std::vector<UnboundDoor>* unbound = nullptr);
