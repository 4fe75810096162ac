#include <library/LibraryFolder.h>

#include <library/AtomicFile.h>

#include <algorithm>
#include <dirent.h>
#include <string_view>

namespace {
constexpr std::string_view kModelFileSuffix = ".xml";

// Closes the directory stream however the scan ends.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
} // namespace

void RemoveLeftoverSaves()
{
    for (const char* folder : {"", kHingesFolder, kLockCoresFolder, kDoorModelFolder})
        RemoveLeftoverTempFiles(GetExeFolder() + folder);
}

std::vector<std::string> ListLibraryFiles(const std::string& folderPath)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folderPath.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name.ends_with(kModelFileSuffix))
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name = folderPath + name;
    return names;
}
