#pragma once

#include <kernel/GK_Hinges.h>
#include <kernel/GK_LockCore.h>

#include <string>

// Case-insensitive compare of two GBK byte strings: ASCII letters fold, the
// two bytes of a double-byte character must match exactly.
bool EqualNamesNoCase(const std::string& a, const std::string& b);

// The first model of the current library's list whose name equals the text
// without regard to letter case; null when none matches or there is no
// current library.
GK_Hinges* FindHingesByName(std::string name);
GK_LockCore* FindLockCoreByName(std::string name);
