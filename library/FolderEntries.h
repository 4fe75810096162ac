#pragma once

#include <string>
#include <vector>

// The names of the folder's entries but "." and "..", sorted byte for byte;
// empty when the folder cannot be read.
std::vector<std::string> FolderEntryNames(const std::string& folderPath);
