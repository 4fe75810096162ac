#pragma once

#include <library/FileNameLimits.h>

#include <optional>
#include <string>

// Why a GBK model name cannot be a file name in its folder. Beyond what this
// system's own file system refuses, names that a case-blind, Windows-style
// file system cannot store are refused too, so that a library can always be
// copied there and back.
enum class ModelNameProblem {
    None,
    DotName,            // "." or ".."
    Separator,          // holds "/" or "\"
    ControlCharacter,   // holds a control character
    NotGbk,             // is not valid GBK text
    ForbiddenCharacter, // holds one of : * ? " < > |
    TrailingDotOrSpace, // ends with "." or " "
    DeviceName,         // CON, PRN, AUX, NUL, COM1-9 or LPT1-9 before its first "."
    TooLong,            // its file name, or the temporary file's, would be too long
    Empty,              // empty or only blanks: refused for a new name (see CheckNewModelName)
};

// What keeps the name from being a file name; None when it can be one. The
// empty name is allowed and gives ".xml".
ModelNameProblem CheckModelName(const std::string& gbkName);

bool IsValidModelName(const std::string& gbkName);

// What keeps the name from being given to a model now (a new one, or by
// renaming): beside CheckModelName, a name that is empty or only blanks,
// which would give a hidden file and a blank row. Files that already hold
// such a name still load.
ModelNameProblem CheckNewModelName(const std::string& gbkName);

// Folder path + the name converted from GBK to the file system's encoding +
// ".xml"; nothing when the name is not valid.
std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName);
