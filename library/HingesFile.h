#pragma once

#include <library/LoadProblem.h>
#include <library/SaveResult.h>

#include <kernel/GK_Hinges.h>
#include <kernel/GU_List.h>

#include <memory>
#include <string>

// Writes program folder + "Hinges/" + name + ".xml". A null model writes nothing.
SaveResult SaveHingesFile(const GK_Hinges* model);
// Reads one hinge file: the model, or why the file yields none.
ModelLoad<GK_Hinges> LoadHingesFile(const std::string& path);
// Appends every hinge model of the "Hinges/" folder to the list; files that
// yield none go to skipped, when given.
void LoadAllHinges(GU_OwnedList<GK_Hinges>& list, std::vector<SkippedFile>* skipped = nullptr);
