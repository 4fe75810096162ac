#include <library/FolderEntries.h>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <string_view>

namespace {
// Closes the directory stream however the scan ends.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
} // namespace

void VisitFolderEntries(const std::string& folderPath, const std::function<void(std::string_view)>& visit)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folderPath.c_str()));
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            visit(name);
    }
}

std::vector<std::string> FolderEntryNames(const std::string& folderPath)
{
    std::vector<std::string> names;
    VisitFolderEntries(folderPath, [&names](std::string_view name) { names.emplace_back(name); });
    std::sort(names.begin(), names.end());
    return names;
}
