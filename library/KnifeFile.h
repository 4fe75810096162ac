#pragma once

#include <library/KnifeInfo.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GU_List.h>

// Writes the whole tool list to program folder + "HingesKnife.xml". With a
// record in the context, a table that another program changed since this one
// read it is left alone (ChangedOnDisk) unless the context says to overwrite.
SaveResult SaveKnifeFile(const GU_OwnedList<KnifeInfo>& knives, const SaveContext& context = {});
// Appends one new record per "Knife" element of the tool table file, noting
// the file read in files when given.
void LoadKnifeFile(GU_OwnedList<KnifeInfo>& list, LibraryFiles* files = nullptr);
