#pragma once

#include <memory>
#include <string>
#include <vector>

// Why a library file yielded nothing.
enum class LoadProblem {
    None,
    Unreadable,        // cannot be opened or read; the error number says why
    NotAFile,          // a folder, a pipe, a device
    TooLarge,          // more bytes than any library file may have
    TooDeep,           // elements nest deeper than the parser may recurse
    TooManyAttributes, // an element carries more attributes than any model writes
    TooManyNodes,      // more elements, attributes and texts than any model needs
    NotWellFormed,     // the parser refused it
    NoRootElement,
    MissingOutline,    // an outline is absent or has fewer than three vertices
    NonFiniteNumber,   // a number is infinite or not a number
    BadDoorSize,       // a door length, width or thickness is not above zero
};

// Whether a file was read, and if not, why.
struct LoadOutcome {
    LoadProblem problem = LoadProblem::None;
    int error = 0; // errno, for an unreadable file

    explicit operator bool() const { return problem == LoadProblem::None; }
};

// The outcome of reading one model file: the model, or why there is none.
template <typename Model>
struct ModelLoad {
    std::unique_ptr<Model> model;
    LoadOutcome outcome;
};

template <typename Model>
ModelLoad<Model> NoModel(LoadOutcome why)
{
    return ModelLoad<Model>{nullptr, why};
}

// A file that loading passed over, for the user to see.
struct SkippedFile {
    std::string path;
    LoadOutcome outcome;
};

// A door that loaded without a hinge or lock-core model it names: no model of
// that name was found. Its drilling lacks those holes until one is.
struct UnboundDoor {
    std::string path;
    std::string doorName;         // GBK
    std::string missingHinges;    // GBK; empty when found or none is named
    std::string missingLockCore;  // GBK; the same for the lock core
};
