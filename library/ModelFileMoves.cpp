#include <library/ModelFileMoves.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
bool exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string timeText(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}
} // namespace

std::string DeletedFilePath(const std::string& root, const char* folderName, const std::string& path, std::time_t when)
{
    const fs::path file(path);
    const std::string folder = root + kDeletedFolder + folderName;
    const std::string stem = folder + file.stem().string() + " " + timeText(when);
    std::string target = stem + file.extension().string();
    for (int n = 2; exists(target); ++n)
        target = stem + "-" + std::to_string(n) + file.extension().string();
    return target;
}

int MoveModelFile(const std::string& from, const std::string& to)
{
    std::error_code made;
    fs::create_directories(fs::path(to).parent_path(), made);
    if (made)
        return made.value();
    if (exists(to))
        return EEXIST;
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return errno;
    return 0;
}

int RemoveModelFile(const std::string& path)
{
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}
