#pragma once

#include <optional>
#include <string>

// Why a GBK model name cannot be a file name in its folder.
enum class ModelNameProblem {
    None,
    DotName,          // "." or ".."
    Separator,        // holds "/" or "\"
    ControlCharacter, // holds a control character
    NotGbk,           // is not valid GBK text
};

// What keeps the name from being a file name; None when it can be one. The
// empty name is allowed and gives ".xml".
ModelNameProblem CheckModelName(const std::string& gbkName);

bool IsValidModelName(const std::string& gbkName);

// Folder path + the name converted from GBK to the file system's encoding +
// ".xml"; nothing when the name is not valid.
std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName);
