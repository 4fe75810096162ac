#include <library/NameLookup.h>

#include <library/ModelLibrary.h>
#include <library/NameIndex.h>

namespace {
// Brings the index up to the list's tail; starts over when the list shrank.
template <typename Model>
void catchUp(const GU_SharedList<Model>& list, NameIndex& index)
{
    if (index.size() > list.count())
        index.clear();
    static const std::string noName;
    for (std::size_t i = index.size(); i < list.count(); ++i) {
        const Model* model = list[i];
        index.append(model, model ? model->GetName() : noName);
    }
}

template <typename Model>
std::shared_ptr<Model> shareByName(const GU_SharedList<Model>& list, NameIndex& index, const std::string& name)
{
    // A door file writes the empty name for "no model": it never names a
    // model, not even one that an old file gave no name.
    if (name.empty())
        return nullptr;
    const std::string key = NameKey(name);
    for (int pass = 0; pass < 2; ++pass) {
        catchUp(list, index);
        const std::size_t at = index.first(key);
        if (at == NameIndex::npos)
            return nullptr;
        const Model* model = list[at];
        if (model && model == index.entry(at) && EqualNamesNoCase(model->GetName(), name))
            return list.share(at);
        index.clear(); // an entry was replaced or renamed since it was indexed
    }
    return nullptr;
}
} // namespace

bool EqualNamesNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && NameKey(a) == NameKey(b);
}

std::shared_ptr<GK_Hinges> ShareHingesByName(const ModelLibrary& library, const std::string& name)
{
    return shareByName(library.hinges, library.hingeNames, name);
}

std::shared_ptr<GK_LockCore> ShareLockCoreByName(const ModelLibrary& library, const std::string& name)
{
    return shareByName(library.lockCores, library.lockCoreNames, name);
}

GK_Hinges* FindHingesByName(const ModelLibrary& library, const std::string& name)
{
    return ShareHingesByName(library, name).get();
}

GK_LockCore* FindLockCoreByName(const ModelLibrary& library, const std::string& name)
{
    return ShareLockCoreByName(library, name).get();
}

LostModels RebindDoorModels(GK_DoorWithHinges& door, const ModelLibrary& library)
{
    LostModels lost;
    if (const GK_Hinges* hinges = door.GetHingesModel()) {
        door.SetHingesModel(ShareHingesByName(library, hinges->GetName()));
        lost.hinges = !door.GetHingesModel();
    }
    if (const GK_LockCore* lockCore = door.GetLockCoreModel()) {
        door.SetLockCoreModel(ShareLockCoreByName(library, lockCore->GetName()));
        lost.lockCore = !door.GetLockCoreModel();
    }
    return lost;
}
