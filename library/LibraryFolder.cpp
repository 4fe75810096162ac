#include <library/LibraryFolder.h>

#include <library/AtomicFile.h>

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace {
constexpr std::string_view kModelFileSuffix = ".xml";

// Closes the directory stream however the scan ends.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Names of the folder's entries, sorted byte for byte.
std::vector<std::string> entryNames(const std::string& folderPath)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folderPath.c_str()));
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

bool EqualFileNamesNoCase(const std::string& a, const std::string& b)
{
    return equalNoCase(a, b);
}

std::string ResolveNoCase(const std::string& folderPath, const std::string& name)
{
    const bool folder = !name.empty() && name.back() == '/';
    const std::string bare = folder ? name.substr(0, name.size() - 1) : name;
    struct stat info {};
    if (lstat((folderPath + bare).c_str(), &info) == 0)
        return folderPath + name;
    for (const std::string& entry : entryNames(folderPath))
        if (equalNoCase(entry, bare))
            return folderPath + entry + (folder ? "/" : "");
    return folderPath + name;
}

std::string ModelFolderPath(const char* folderName)
{
    return ResolveNoCase(GetExeFolder(), folderName);
}

void RemoveLeftoverSaves()
{
    RemoveLeftoverTempFiles(GetExeFolder());
    for (const char* folder : {kHingesFolder, kLockCoresFolder, kDoorModelFolder})
        RemoveLeftoverTempFiles(ModelFolderPath(folder));
}

std::vector<std::string> ListLibraryFiles(const std::string& folderPath)
{
    std::vector<std::string> paths;
    for (const std::string& name : entryNames(folderPath)) {
        if (name.size() >= kModelFileSuffix.size() &&
            equalNoCase(std::string_view(name).substr(name.size() - kModelFileSuffix.size()), kModelFileSuffix))
            paths.push_back(folderPath + name);
    }
    return paths;
}
