#pragma once

#include <library/ExeFolder.h>
#include <library/LoadProblem.h>

#include <kernel/GU_List.h>

#include <memory>
#include <string>
#include <vector>

// Folder names of the three model kinds beside the program.
inline constexpr const char* kHingesFolder = "Hinges/";
inline constexpr const char* kLockCoresFolder = "Lockcores/";
inline constexpr const char* kDoorModelFolder = "DoorModel/";

// Full paths of the entries of the folder whose names end in ".xml" (case
// sensitive, hidden entries included, so that the file of the empty name
// ".xml" is found), sorted by name byte for byte for a stable load order.
// Empty when the folder cannot be read.
std::vector<std::string> ListLibraryFiles(const std::string& folderPath);

// Removes what saves cut short left beside the program and in the model
// folders; start-up calls it before loading.
void RemoveLeftoverSaves();

// Scans one model folder beside the program and appends every model that the
// reader yields to the list; files that yield none are passed over and, when
// skipped is given, listed there with the reason.
template <typename Model, typename Reader>
void LoadLibraryFolder(const std::string& folderName, Reader reader, GU_OwnedList<Model>& list,
                       std::vector<SkippedFile>* skipped)
{
    for (const std::string& path : ListLibraryFiles(GetExeFolder() + folderName)) {
        ModelLoad<Model> load = reader(path);
        if (load.model)
            list.add_tail(std::move(load.model));
        else if (skipped)
            skipped->push_back({path, load.outcome});
    }
}
