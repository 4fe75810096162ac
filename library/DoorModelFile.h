#pragma once

#include <library/LoadProblem.h>
#include <library/SaveResult.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

class ModelLibrary;

// Writes program folder + "DoorModel/" + name + ".xml". A null door writes nothing.
SaveResult SaveDoorModelFile(const GK_DoorWithHinges* door);
// Reads one door file, resolving its models by name among the library's
// hinge and lock-core models.
ModelLoad<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path, const ModelLibrary& models);
// Appends every door model of the "DoorModel/" folder to the list, resolving
// their models in the library; files that yield none go to skipped, when given.
void LoadAllDoorModels(GU_OwnedList<GK_DoorWithHinges>& list, const ModelLibrary& models,
                       std::vector<SkippedFile>* skipped = nullptr);
