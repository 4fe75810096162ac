#pragma once

#include <ctime>
#include <string>

// The folder beside the model folders that deleted model files are moved
// into, so that a deletion can always be taken back by hand.
inline constexpr const char* kDeletedFolder = "已删除/";

// Where the model file at path (of the kind's folder) goes when deleted:
// root + "已删除/" + the kind's folder + the file's name with the time added
// ("名称 20261209-201500.xml"), a number following when that is taken.
std::string DeletedFilePath(const std::string& root, const char* folderName, const std::string& path, std::time_t when);

// Moves the file, making the target's folder first. A rename within the
// library's file system: the file is at one place or the other, never at
// neither and never in part. An existing target is never replaced (EEXIST).
// 0, or the errno of the refused call.
int MoveModelFile(const std::string& from, const std::string& to);

// Removes the file; 0 also when it is gone already, else the errno.
int RemoveModelFile(const std::string& path);

// Whether the two paths lead to one and the same file (a folder that ignores
// letter case gives one file two names).
bool SameFile(const std::string& a, const std::string& b);
