#pragma once

#include <library/KnifeInfo.h>
#include <library/LibraryFiles.h>
#include <library/LoadProblem.h>
#include <library/NameIndex.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>
#include <kernel/GU_List.h>

// The library in memory: the four lists of hinge models, lock-core models,
// door models and tools, in load order followed by creation order. The model
// lists share their entries with the doors and the panes that refer to them;
// the tool list owns its tools. In the program one Library holds it and is
// the only one to change it; tests and tools read files into their own.
class ModelLibrary {
public:
    ModelLibrary() = default;
    // Lets go of the hinge models, then the lock cores, then the doors, then
    // the tools.
    ~ModelLibrary();
    ModelLibrary(const ModelLibrary&) = delete;
    ModelLibrary& operator=(const ModelLibrary&) = delete;

    GU_SharedList<GK_Hinges> hinges;
    GU_SharedList<GK_LockCore> lockCores;
    GU_SharedList<GK_DoorWithHinges> doors;
    GU_OwnedList<KnifeInfo> knives;
    // The files that loading passed over, with the reason, for the user to see.
    std::vector<SkippedFile> skipped;
    // The doors that loaded without a model they name.
    std::vector<UnboundDoor> unboundDoors;
    // The library files as this program last read or wrote them.
    LibraryFiles files;

    // Lets go of every model and tool, in the destructor's order, and
    // forgets what was seen on disk and what was passed over: the library is
    // empty, ready to be read again.
    void clear();
    // Exchanges the whole contents with other's.
    void swap(ModelLibrary& other) noexcept;

    // Kept by the name lookups, which bring them up to the lists' tails as
    // these grow; a cache, so a lookup on a const library may refresh it.
    mutable NameIndex hingeNames;
    mutable NameIndex lockCoreNames;
};
