#include <library/AtomicFile.h>

#include <library/LibraryText.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

namespace {
constexpr int kMaxTempAttempts = 100;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file

BeforeReplaceHook g_beforeReplace = nullptr;

SaveResult failure(SaveProblem problem, const std::string& path, int error)
{
    return SaveResult{problem, path, ModelNameProblem::None, error};
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Makes the rename itself durable; a failure here changes nothing on disk.
void syncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Creates a new, hidden temporary file beside the target: "." + file name +
// ".<pid>-<n>.part".
int createTempFile(const std::string& path, std::string& tempPath, int& error)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
        tempPath = folder + "." + name + "." + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".part";
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0)
            return fd;
        error = errno;
        if (error != EEXIST)
            return -1;
    }
    return -1;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that made a temporary file, read from its name; 0 for a name
// that is not one of those.
pid_t tempFileMaker(std::string_view name)
{
    constexpr std::string_view kSuffix = ".part";
    if (!name.starts_with('.') || !name.ends_with(kSuffix))
        return 0;
    name.remove_suffix(kSuffix.size());
    const std::size_t dash = name.rfind('-');
    const std::size_t dot = dash == std::string_view::npos ? dash : name.rfind('.', dash);
    if (dot == std::string_view::npos || dot == 0 || !allDigits(name.substr(dash + 1)) ||
        !allDigits(name.substr(dot + 1, dash - dot - 1)))
        return 0;
    pid_t maker = 0;
    std::from_chars(name.data() + dot + 1, name.data() + dash, maker);
    return maker;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// With libraryFile, a file that loading would pass over is not put in place:
// its model would be gone at the next start.
SaveResult saveAtomically(const std::string& path, const std::function<void(FILE*)>& write, bool libraryFile)
{
    std::string tempPath;
    int error = 0;
    const int fd = createTempFile(path, tempPath, error);
    if (fd < 0)
        return failure(SaveProblem::CannotCreate, path, error);

    FILE* file = fdopen(fd, "w");
    if (!file) {
        error = errno;
        close(fd);
        unlink(tempPath.c_str());
        return failure(SaveProblem::CannotWrite, path, error);
    }
    write(file);
    bool written = fflush(file) == 0 && !ferror(file);
    error = errno;
    if (written && fsync(fd) != 0) {
        written = false;
        error = errno;
    }
    if (fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(tempPath.c_str());
        return failure(SaveProblem::CannotWrite, path, error);
    }

    if (std::string text; libraryFile && !ReadLibraryText(tempPath, text)) {
        unlink(tempPath.c_str());
        return failure(SaveProblem::TooLarge, path, 0);
    }

    if (g_beforeReplace)
        g_beforeReplace(tempPath);
    if (rename(tempPath.c_str(), path.c_str()) != 0) {
        error = errno;
        unlink(tempPath.c_str());
        return failure(SaveProblem::CannotReplace, path, error);
    }
    syncFolder(folderOf(path));
    return SaveResult{SaveProblem::None, path};
}
} // namespace

void SetBeforeReplaceHook(BeforeReplaceHook hook)
{
    g_beforeReplace = hook;
}

void RemoveLeftoverTempFiles(const std::string& folderPath)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folderPath.c_str()));
    if (!dir)
        return;
    const std::string folder = folderPath.ends_with('/') ? folderPath : folderPath + "/";
    while (const dirent* entry = readdir(dir.get())) {
        const pid_t maker = tempFileMaker(entry->d_name);
        if (maker > 0 && maker != getpid() && kill(maker, 0) != 0 && errno == ESRCH)
            unlink((folder + entry->d_name).c_str());
    }
}

SaveResult SaveDocumentAtomically(const TiXmlDocument& document, const std::string& path)
{
    return saveAtomically(path, [&](FILE* file) { document.SaveFile(file); }, true);
}

SaveResult SaveTextAtomically(const std::string& content, const std::string& path)
{
    return saveAtomically(path, [&](FILE* file) { fwrite(content.data(), 1, content.size(), file); }, false);
}

SaveResult SaveAtomically(const std::string& path, const std::function<void(FILE*)>& write)
{
    return saveAtomically(path, write, false);
}
