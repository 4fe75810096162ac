#pragma once

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <cstddef>
#include <optional>
#include <string>

class ModelLibrary;

// Case-insensitive compare of two GBK byte strings: ASCII letters fold, the
// two bytes of a double-byte character must match exactly.
bool EqualNamesNoCase(const std::string& a, const std::string& b);

// The first model of the library's list whose name equals the text without
// regard to letter case; null when none matches.
GK_Hinges* FindHingesByName(const ModelLibrary& library, const std::string& name);
GK_LockCore* FindLockCoreByName(const ModelLibrary& library, const std::string& name);

// Position of the first model of the list whose name equals the text without
// regard to letter case. Walks the list: for the commands, which replace a
// model of the same name in its place.
template <typename Model>
std::optional<std::size_t> PositionByName(const GU_OwnedList<Model>& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (list[i] && EqualNamesNoCase(list[i]->GetName(), name))
            return i;
    }
    return std::nullopt;
}
