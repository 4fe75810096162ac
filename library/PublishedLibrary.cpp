#include <library/PublishedLibrary.h>

#include <library/DoorModelFile.h>
#include <library/KnifeFile.h>
#include <library/ModelLibrary.h>
#include <library/NameLookup.h>

#include <utility>

namespace {
struct Published {
    const ModelLibrary* library = nullptr;
    std::string folder;
};
Published g_published;
} // namespace

const ModelLibrary* CurrentLibrary()
{
    return g_published.library;
}

void PublishLibrary(const ModelLibrary* library, std::string folder)
{
    g_published = {library, library ? std::move(folder) : std::string()};
}

GK_Hinges* FindHingesByName(std::string name)
{
    const ModelLibrary* library = CurrentLibrary();
    return library ? FindHingesByName(*library, name) : nullptr;
}

GK_LockCore* FindLockCoreByName(std::string name)
{
    const ModelLibrary* library = CurrentLibrary();
    return library ? FindLockCoreByName(*library, name) : nullptr;
}

std::unique_ptr<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path)
{
    const ModelLibrary none;
    const ModelLibrary* library = CurrentLibrary();
    return LoadDoorModelFile(path, library ? *library : none).model;
}

SaveResult SaveKnifeFile()
{
    const ModelLibrary* library = CurrentLibrary();
    if (!library)
        return SaveResult{SaveProblem::NoLibrary};
    return SaveKnifeFile(library->knives, SaveContext{g_published.folder});
}
