#pragma once

#include <library/SaveResult.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <memory>
#include <string>

class ModelLibrary;

// The process-wide library: the main frame publishes the library it owns,
// with the library's folder, before it loads the library files, and
// withdraws it (null) when it is destroyed. Null while no main frame has
// published one.
const ModelLibrary* CurrentLibrary();
void PublishLibrary(const ModelLibrary* library, std::string folder);

// The classic entry points, over the published library. The rest of the
// program hands the library it works on to the functions these forward to.
// Without a published library the look-ups find nothing, the door file comes
// back without models and the tool table is not written.
GK_Hinges* FindHingesByName(std::string name);
GK_LockCore* FindLockCoreByName(std::string name);
std::unique_ptr<GK_DoorWithHinges> LoadDoorModelFile(const std::string& path);
SaveResult SaveKnifeFile();
