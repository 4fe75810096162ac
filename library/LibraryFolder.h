#pragma once

#include <library/LibraryFiles.h>
#include <library/LoadProblem.h>
#include <library/ReadAhead.h>

#include <kernel/GU_List.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Folder names of the three model kinds in the library's folder.
inline constexpr const char* kHingesFolder = "Hinges/";
inline constexpr const char* kLockCoresFolder = "Lockcores/";
inline constexpr const char* kDoorModelFolder = "DoorModel/";

// Whether two file names are equal when ASCII letters are folded; other bytes
// (those of UTF-8 characters among them) must match exactly.
bool EqualFileNamesNoCase(const std::string& a, const std::string& b);

// The path of the entry of the folder: the exact name when it exists, else
// the first entry, by name, that matches without regard to letter case, else
// the exact name. A library copied from a case-blind file system keeps
// working ("hinges/", "hingesknife.xml"). A name ending in "/" stays so.
std::string ResolveNoCase(const std::string& folderPath, const std::string& name);

// The library's folder: root with a trailing separator ("./", the current
// folder, when root is empty).
std::string LibraryRoot(const std::string& root);

// The folder of a model kind in the library's folder, found as above.
std::string ModelFolderPath(const std::string& root, const char* folderName);

// What a listing does with the temporary files that saves cut short left
// in the folder (see RemoveLeftoverTempFiles).
enum class LeftoverSaves { Keep, Remove };

// Full paths of the entries of the folder whose names end in ".xml" in any
// letter case (hidden entries included, so that the file of the empty name
// ".xml" is found), sorted by name byte for byte for a stable load order.
// Empty when the folder cannot be read. With Remove, the leftovers go in the
// same scan: a load reads a large folder once, not twice.
std::vector<std::string> ListLibraryFiles(const std::string& folderPath,
                                          LeftoverSaves leftovers = LeftoverSaves::Keep);

// Scans one model folder and appends every model that the reader yields
// from a file read (a LibraryText) to the list; files that yield none are
// passed over and, when skipped is given, listed there with the reason.
// When files is given, every file read is noted there with the model it
// held. What saves cut short left in the folder is removed on the way.
template <typename List, typename Reader>
void LoadLibraryFolder(const std::string& folderPath, Reader reader, List& list, std::vector<SkippedFile>* skipped,
                       LibraryFiles* files = nullptr)
{
    ReadAhead ahead(ListLibraryFiles(folderPath, LeftoverSaves::Remove));
    std::vector<LibraryFiles::File> read;
    read.reserve(files ? ahead.count() : 0);
    for (std::size_t i = 0; i < ahead.count(); ++i) {
        LibraryText file = ahead.next();
        auto load = reader(file);
        if (!load.model && skipped)
            skipped->push_back({file.path, load.outcome});
        if (files && file.seen)
            read.push_back({std::move(file.path), {*file.seen, load.model ? std::optional<std::string>(load.model->GetName())
                                                                          : std::nullopt}});
        if (load.model)
            list.add_tail(std::move(load.model));
    }
    if (files)
        files->seenAll(std::move(read));
}
