#include <library/ModelLibrary.h>

ModelLibrary::~ModelLibrary()
{
    hinges.clear();
    lockCores.clear();
    doors.clear();
    knives.clear();
}
