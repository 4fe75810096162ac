#include <library/ModelLibrary.h>

#include <utility>

ModelLibrary::~ModelLibrary()
{
    clear();
}

void ModelLibrary::swap(ModelLibrary& other) noexcept
{
    std::swap(hinges, other.hinges);
    std::swap(lockCores, other.lockCores);
    std::swap(doors, other.doors);
    std::swap(knives, other.knives);
    std::swap(skipped, other.skipped);
    std::swap(unboundDoors, other.unboundDoors);
    std::swap(files, other.files);
    std::swap(hingeNames, other.hingeNames);
    std::swap(lockCoreNames, other.lockCoreNames);
}

void ModelLibrary::clear()
{
    hingeNames.clear();
    lockCoreNames.clear();
    files.clear();
    skipped.clear();
    unboundDoors.clear();
    hinges.clear();
    lockCores.clear();
    doors.clear();
    knives.clear();
}
