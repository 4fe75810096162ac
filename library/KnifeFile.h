#pragma once

#include <library/KnifeInfo.h>
#include <library/LoadProblem.h>
#include <library/SaveResult.h>

#include <kernel/GU_List.h>

// Writes the whole tool list to program folder + "HingesKnife.xml".
SaveResult SaveKnifeFile(const GU_OwnedList<KnifeInfo>& knives);
// Appends one new record per "Knife" element of the tool table file. A table
// that is there but cannot be read goes to skipped, when given; a missing one
// is no fault.
void LoadKnifeFile(GU_OwnedList<KnifeInfo>& list, std::vector<SkippedFile>* skipped = nullptr);
