#pragma once

#include <library/KnifeInfo.h>
#include <library/SaveResult.h>

#include <kernel/GU_List.h>

// Writes the whole tool list to program folder + "HingesKnife.xml".
SaveResult SaveKnifeFile(const GU_OwnedList<KnifeInfo>& knives);
// Appends one new record per "Knife" element of the tool table file.
void LoadKnifeFile(GU_OwnedList<KnifeInfo>& list);
