#pragma once

#include <string>

// The folder of the running program, ending with a separator. Every library
// path starts with it. Looked up anew on every call.
std::string GetExeFolder();

// While an instance lives, GetExeFolder answers the given folder instead of
// the program's own (a trailing separator is added when missing). Lets the
// library be driven against a scratch folder.
class ScopedExeFolder {
public:
    explicit ScopedExeFolder(std::string folder);
    ~ScopedExeFolder();
    ScopedExeFolder(const ScopedExeFolder&) = delete;
    ScopedExeFolder& operator=(const ScopedExeFolder&) = delete;

private:
    std::string m_previous;
};
