#pragma once

#include <string>

// The Chinese wording (UTF-8) of a refused system call's errno, as the user
// is told why a file could not be read or written.
std::string ErrnoText(int error);
