#pragma once

#include <library/KnifeInfo.h>
#include <library/SaveResult.h>

#include <kernel/GU_List.h>

// Writes the current library's whole tool list to program folder + "HingesKnife.xml".
SaveResult SaveKnifeFile();
// Appends one new record per "Knife" element of the tool table file.
void LoadKnifeFile(GU_OwnedList<KnifeInfo>& list);
