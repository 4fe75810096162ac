#include <library/AtomicFile.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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
} // namespace

void SetBeforeReplaceHook(BeforeReplaceHook hook)
{
    g_beforeReplace = hook;
}

SaveResult SaveDocumentAtomically(const TiXmlDocument& document, const std::string& path)
{
    return SaveAtomically(path, [&](FILE* file) { document.SaveFile(file); });
}

SaveResult SaveTextAtomically(const std::string& content, const std::string& path)
{
    return SaveAtomically(path, [&](FILE* file) { fwrite(content.data(), 1, content.size(), file); });
}

SaveResult SaveAtomically(const std::string& path, const std::function<void(FILE*)>& write)
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
