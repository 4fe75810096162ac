#include <library/LibraryFolder.h>

#include <library/AtomicFile.h>
#include <library/FolderEntries.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::string_view kModelFileSuffix = ".xml";

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
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
    for (const std::string& entry : FolderEntryNames(folderPath))
        if (equalNoCase(entry, bare))
            return folderPath + entry + (folder ? "/" : "");
    return folderPath + name;
}

std::string LibraryRoot(const std::string& root)
{
    if (root.empty())
        return "./";
    return root.back() == '/' ? root : root + '/';
}

std::string ModelFolderPath(const std::string& root, const char* folderName)
{
    return ResolveNoCase(LibraryRoot(root), folderName);
}

std::vector<std::string> ListLibraryFiles(const std::string& folderPath, LeftoverSaves leftovers)
{
    std::vector<std::string> names;
    std::vector<std::string> ended;
    VisitFolderEntries(folderPath, [&](std::string_view name) {
        if (name.size() >= kModelFileSuffix.size() &&
            equalNoCase(name.substr(name.size() - kModelFileSuffix.size()), kModelFileSuffix))
            names.emplace_back(name);
        else if (leftovers == LeftoverSaves::Remove && IsLeftoverTempFile(name))
            ended.emplace_back(name);
    });
    for (const std::string& name : ended)
        unlink((folderPath + name).c_str());
    std::sort(names.begin(), names.end());
    for (std::string& name : names)
        name.insert(0, folderPath);
    return names;
}
