#include <library/ExeFolder.h>

#include <filesystem>
#include <system_error>

namespace {
// Folder answered instead of the program's own while a ScopedExeFolder lives.
std::string& overrideFolder()
{
    static std::string folder;
    return folder;
}

std::string withTrailingSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}
} // namespace

std::string GetExeFolder()
{
    if (!overrideFolder().empty())
        return overrideFolder();
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return withTrailingSeparator(exe.parent_path().string());
}

ScopedExeFolder::ScopedExeFolder(std::string folder) : m_previous(overrideFolder())
{
    overrideFolder() = withTrailingSeparator(std::move(folder));
}

ScopedExeFolder::~ScopedExeFolder()
{
    overrideFolder() = m_previous;
}
