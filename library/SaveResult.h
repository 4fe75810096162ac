#pragma once

#include <library/ModelFileName.h>

#include <string>

// Why a library file was not written.
enum class SaveProblem {
    None,
    NoModel,       // no model was handed over
    NoLibrary,     // no library in memory to take the tool table from
    BadName,       // the name cannot be a file name; nameProblem says why
    NotFinite,     // a coordinate or size is not a finite number
    OutOfRange,    // a setting holds a value the program cannot work with
    CannotCreate,  // no new file could be made in the folder; error says why
    CannotWrite,   // the new file could not be written out; error says why
    CannotReplace, // the new file could not take the old one's place; error says why
    TooLarge,      // loading would pass the file over: too many bytes or nodes
};

// Outcome of writing one library file.
struct SaveResult {
    SaveProblem problem = SaveProblem::None;
    std::string path; // the file aimed at, in the file system's encoding (UTF-8)
    ModelNameProblem nameProblem = ModelNameProblem::None;
    int error = 0; // errno of the refused system call

    explicit operator bool() const { return problem == SaveProblem::None; }
};
