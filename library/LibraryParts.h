#pragma once

// What the library's operations need to know of each model part: its list,
// its folder and how its files are written and read. For the library's own
// sources only.

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/Library.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>
#include <library/ModelLibrary.h>

#include <memory>
#include <optional>
#include <string>

struct HingesPart {
    static constexpr LibraryPart id = LibraryPart::Hinges;
    using Model = GK_Hinges;
    static constexpr const char* folder = kHingesFolder;
    static GU_SharedList<Model>& list(ModelLibrary& models) { return models.hinges; }
    static SaveResult save(const Model& model, const SaveContext& context) { return SaveHingesFile(&model, context); }
    static std::unique_ptr<Model> load(const std::string& path, const ModelLibrary&, std::optional<FileFingerprint>* seen)
    {
        return LoadHingesFile(path, seen).model;
    }
};

struct LockCorePart {
    static constexpr LibraryPart id = LibraryPart::LockCores;
    using Model = GK_LockCore;
    static constexpr const char* folder = kLockCoresFolder;
    static GU_SharedList<Model>& list(ModelLibrary& models) { return models.lockCores; }
    static SaveResult save(const Model& model, const SaveContext& context) { return SaveLockCoreFile(&model, context); }
    static std::unique_ptr<Model> load(const std::string& path, const ModelLibrary&, std::optional<FileFingerprint>* seen)
    {
        return LoadLockCoreFile(path, seen).model;
    }
};

struct DoorPart {
    static constexpr LibraryPart id = LibraryPart::Doors;
    using Model = GK_DoorWithHinges;
    static constexpr const char* folder = kDoorModelFolder;
    static GU_SharedList<Model>& list(ModelLibrary& models) { return models.doors; }
    static SaveResult save(const Model& model, const SaveContext& context) { return SaveDoorModelFile(&model, context); }
    static std::unique_ptr<Model> load(const std::string& path, const ModelLibrary& models,
                                       std::optional<FileFingerprint>* seen)
    {
        return LoadDoorModelFile(path, models, seen).model;
    }
};

// Calls f with the part's traits; the tool list has none (NoModel is the
// caller's answer for it).
template <typename Result, typename F>
Result OnModelPart(LibraryPart part, F&& f, Result forTools)
{
    switch (part) {
    case LibraryPart::Hinges:
        return f(HingesPart{});
    case LibraryPart::LockCores:
        return f(LockCorePart{});
    case LibraryPart::Doors:
        return f(DoorPart{});
    case LibraryPart::Tools:
        break;
    }
    return forTools;
}
