#pragma once

#include <library/SaveResult.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

// Writes program folder + "DoorModel/" + name + ".xml". A null door writes nothing.
SaveResult SaveDoorModelFile(const GK_DoorWithHinges* door);
// Reads one door file, resolving its models by name in the current library.
std::unique_ptr<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path);
// Appends every door model of the "DoorModel/" folder to the list.
void LoadAllDoorModels(GU_OwnedList<GK_DoorWithHinges>& list);
