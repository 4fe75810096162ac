#pragma once

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

class ModelLibrary;

// Case-insensitive compare of two GBK byte strings: ASCII letters fold, the
// two bytes of a double-byte character must match exactly.
bool EqualNamesNoCase(const std::string& a, const std::string& b);

// The first model of the library's list whose name equals the text without
// regard to letter case; null when none matches and for the empty text.
GK_Hinges* FindHingesByName(const ModelLibrary& library, const std::string& name);
GK_LockCore* FindLockCoreByName(const ModelLibrary& library, const std::string& name);
// The same model, shared: for a door that keeps referring to it.
std::shared_ptr<GK_Hinges> ShareHingesByName(const ModelLibrary& library, const std::string& name);
std::shared_ptr<GK_LockCore> ShareLockCoreByName(const ModelLibrary& library, const std::string& name);

// Which models of a door the library no longer holds under their names.
struct LostModels {
    bool hinges = false;
    bool lockCore = false;
    explicit operator bool() const { return hinges || lockCore; }
};

// Makes the door refer to the models the library now holds under the names
// of the models it refers to; a model the library has none of goes from the
// door, and is named in the result.
LostModels RebindDoorModels(GK_DoorWithHinges& door, const ModelLibrary& library);

// Position of the first model of the list whose name equals the text without
// regard to letter case. Walks the list: for the commands, which replace a
// model of the same name in its place.
template <typename List>
std::optional<std::size_t> PositionByName(const List& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.count(); ++i) {
        if (list[i] && EqualNamesNoCase(list[i]->GetName(), name))
            return i;
    }
    return std::nullopt;
}
