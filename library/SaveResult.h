#pragma once

#include <library/ModelFileName.h>

#include <string>

// Why a library file was not written.
enum class SaveProblem {
    None,
    NoModel,         // no model was handed over
    NoLibrary,       // no library in memory to take the tool table from
    BadName,         // the name cannot be a file name; nameProblem says why
    NotFinite,       // a coordinate or size is not a finite number
    OutOfRange,      // a setting holds a value the program cannot work with
    CannotCreate,    // no new file could be made in the folder; error says why
    CannotWrite,     // the new file could not be written out; error says why
    CannotReplace,   // the new file could not take the old one's place; error says why
    TooLarge,        // loading would pass the file over: too many bytes or nodes
    ReadOnly,        // the file to be replaced may not be written
    ChangedOnDisk,   // another program changed, added or removed the file since it was read
    OtherModelsFile, // the file holds another model, named otherName
};

// Outcome of writing one library file.
struct SaveResult {
    SaveProblem problem = SaveProblem::None;
    std::string path{}; // the file aimed at, in the file system's encoding (UTF-8)
    ModelNameProblem nameProblem = ModelNameProblem::None;
    int error = 0;         // errno of the refused system call
    std::string otherName{}; // GBK: the model the file holds (OtherModelsFile)

    explicit operator bool() const { return problem == SaveProblem::None; }
};

// What a save does when a file it would replace was changed on disk by
// another program since this one saw it.
enum class OnDiskChange {
    Refuse,    // report ChangedOnDisk and write nothing
    Overwrite, // the user chose to replace it
};
