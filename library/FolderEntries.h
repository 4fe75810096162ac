#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Calls visit with the name of each of the folder's entries but "." and
// "..", in the order the file system gives them; nothing when the folder
// cannot be read.
void VisitFolderEntries(const std::string& folderPath, const std::function<void(std::string_view)>& visit);

// The names of the folder's entries but "." and "..", sorted byte for byte;
// empty when the folder cannot be read.
std::vector<std::string> FolderEntryNames(const std::string& folderPath);
