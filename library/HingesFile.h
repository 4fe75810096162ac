#pragma once

#include <library/SaveResult.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

// Writes program folder + "Hinges/" + name + ".xml". A null model writes nothing.
SaveResult SaveHingesFile(const GK_Hinges* model);
// Reads one hinge file; null when the file yields no model.
std::unique_ptr<GK_Hinges> LoadHingesFile(const std::string& path);
// Appends every hinge model of the "Hinges/" folder to the list.
void LoadAllHinges(GU_OwnedList<GK_Hinges>& list);
