#include <library/AtomicFile.h>

#include <library/FileNameLimits.h>
#include <library/FolderEntries.h>
#include <library/LibraryText.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

namespace {
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kWriteBits = 0222;
constexpr int kMaxLinkHops = 40; // as the kernel allows when it follows links itself

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

// The file a path leads to once symbolic links are followed, so that the
// rename replaces that file and not the link. A link to a missing file leads
// to that file's path, where the save then creates it.
bool followLinks(std::string path, std::string& target, int& error)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = path;
            return true;
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
        const ssize_t length = readlink(path.c_str(), link.data(), link.size());
        if (length < 0) {
            error = errno;
            return false;
        }
        link.resize(static_cast<std::size_t>(length));
        path = !link.empty() && link.front() == '/' ? link : folderOf(path) + link;
    }
    error = ELOOP;
    return false;
}

// The whole document as SaveFile prints it.
bool printDocument(const TiXmlDocument& document, std::string& bytes, int& error)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* memory = open_memstream(&buffer, &size);
    if (!memory) {
        error = errno;
        return false;
    }
    document.SaveFile(memory);
    const bool printed = fclose(memory) == 0;
    error = errno;
    const std::unique_ptr<char, decltype(&std::free)> owned(buffer, &std::free);
    if (printed)
        bytes.assign(buffer, size);
    return printed;
}

bool writeAll(int fd, const std::string& bytes, int& error)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
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

// With libraryFile, a file that loading would pass over is not put in place:
// its model would be gone at the next start.
SaveResult saveBytes(const std::string& bytes, const std::string& path, FileFingerprint* written, bool libraryFile)
{
    int error = 0;
    std::string target;
    if (!followLinks(path, target, error))
        return failure(SaveProblem::CannotReplace, path, error);
    struct stat old {};
    const bool replacing = stat(target.c_str(), &old) == 0;
    // The rename would replace a file that may not be written; root may write
    // any file, so for root the mode bits alone decide.
    if (replacing && S_ISREG(old.st_mode)) {
        if ((old.st_mode & kWriteBits) == 0)
            return failure(SaveProblem::ReadOnly, path, EACCES);
        if (access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
            return failure(SaveProblem::ReadOnly, path, errno);
    }

    std::string tempPath;
    const int fd = createTempFile(target, tempPath, error);
    if (fd < 0)
        return failure(SaveProblem::CannotCreate, path, error);
    bool done = writeAll(fd, bytes, error);
    if (done && replacing && fchmod(fd, old.st_mode & kPermissionBits) != 0) {
        done = false;
        error = errno;
    }
    if (done && fsync(fd) != 0) {
        done = false;
        error = errno;
    }
    if (close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (!done) {
        unlink(tempPath.c_str());
        return failure(SaveProblem::CannotWrite, path, error);
    }

    if (std::string text; libraryFile && !ReadLibraryText(tempPath, text)) {
        unlink(tempPath.c_str());
        return failure(SaveProblem::TooLarge, path, 0);
    }

    if (g_beforeReplace)
        g_beforeReplace(tempPath);
    if (rename(tempPath.c_str(), target.c_str()) != 0) {
        error = errno;
        unlink(tempPath.c_str());
        return failure(SaveProblem::CannotReplace, path, error);
    }
    syncFolder(folderOf(target));
    if (written)
        *written = FingerprintOf(bytes);
    return SaveResult{SaveProblem::None, path};
}
} // namespace

void SetBeforeReplaceHook(BeforeReplaceHook hook)
{
    g_beforeReplace = hook;
}

void RemoveLeftoverTempFiles(const std::string& folderPath)
{
    const std::string folder = folderPath.ends_with('/') ? folderPath : folderPath + "/";
    // Unsorted: the order does not matter here, and sorting a large model
    // folder's names would cost start-up more than the scan itself.
    std::vector<std::string> leftovers;
    VisitFolderEntries(folderPath, [&leftovers](std::string_view name) {
        if (IsLeftoverTempFile(name))
            leftovers.emplace_back(name);
    });
    for (const std::string& name : leftovers)
        unlink((folder + name).c_str());
}

bool IsLeftoverTempFile(std::string_view name)
{
    const pid_t maker = tempFileMaker(name);
    return maker > 0 && maker != getpid() && kill(maker, 0) != 0 && errno == ESRCH;
}

SaveResult SaveDocumentAtomically(const TiXmlDocument& document, const std::string& path, FileFingerprint* written)
{
    std::string bytes;
    int error = 0;
    if (!printDocument(document, bytes, error))
        return failure(SaveProblem::CannotWrite, path, error);
    return saveBytes(bytes, path, written, true);
}

SaveResult SaveTextAtomically(const std::string& bytes, const std::string& path, FileFingerprint* written)
{
    return saveBytes(bytes, path, written, false);
}
