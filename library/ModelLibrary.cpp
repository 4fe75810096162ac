#include <library/ModelLibrary.h>

ModelLibrary::~ModelLibrary()
{
    clear();
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
