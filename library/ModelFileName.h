#pragma once

#include <optional>
#include <string>

// Why a GBK model name cannot be a file name in its folder, in English; empty
// when it can. Refused: "/" or "\", "." or "..", a control character, text
// that is not valid GBK. The empty name is allowed and gives ".xml".
std::string ModelNameProblem(const std::string& gbkName);

// Whether a GBK model name can be a file name in its folder: no "/" or "\",
// not "." or "..", no control character, and valid GBK. The empty name is
// allowed and gives ".xml".
bool IsValidModelName(const std::string& gbkName);

// Folder path + the name converted from GBK to the file system's encoding +
// ".xml"; nothing when the name is not valid.
std::optional<std::string> ModelFilePath(const std::string& folderPath, const std::string& gbkName);
