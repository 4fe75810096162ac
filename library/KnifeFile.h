#pragma once

#include <library/KnifeInfo.h>
#include <library/LoadProblem.h>
#include <library/ModelSave.h>
#include <library/SaveResult.h>

#include <kernel/GU_List.h>

// The tool table's attributes are those of KnifeFields, in that order; the
// plunge feed and the kind only where a tool sets them.

// Writes the whole tool list to the context's folder + "HingesKnife.xml".
// With a record in the context, a table that another program changed since
// this one read it is left alone (ChangedOnDisk) unless the context says to
// overwrite.
SaveResult SaveKnifeFile(const GU_OwnedList<KnifeInfo>& knives, const SaveContext& context);
// Appends one new record per "Knife" element of the tool table file of the
// library in folder. A table that is there but cannot be read goes to skipped,
// when given; a missing one is no fault. The file read is noted in files,
// when given.
void LoadKnifeFile(const std::string& folder, GU_OwnedList<KnifeInfo>& list, std::vector<SkippedFile>* skipped = nullptr,
                   LibraryFiles* files = nullptr);
