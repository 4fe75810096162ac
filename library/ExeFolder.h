#pragma once

#include <string>

// The folder of the running program, ending with a separator: the program
// keeps its library there and hands it to the main frame. Looked up anew on
// every call.
std::string GetExeFolder();
