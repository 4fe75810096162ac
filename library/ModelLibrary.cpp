#include <library/ModelLibrary.h>

namespace {
ModelLibrary* g_currentLibrary = nullptr;
}

ModelLibrary::~ModelLibrary()
{
    hinges.clear();
    lockCores.clear();
    doors.clear();
    knives.clear();
}

ModelLibrary* CurrentLibrary()
{
    return g_currentLibrary;
}

void PublishLibrary(ModelLibrary* library)
{
    g_currentLibrary = library;
}
