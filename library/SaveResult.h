#pragma once

#include <string>

// Outcome of writing one library file.
struct SaveResult {
    bool ok = false;
    std::string path;   // the file aimed at, in the file system's encoding (UTF-8)
    std::string reason; // why it was not written, in English; empty on success

    explicit operator bool() const { return ok; }
};
