#include <library/LibraryFiles.h>

#include <library/NameLookup.h>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr std::size_t kReadChunk = 64 * 1024;

std::uint64_t hashOn(std::uint64_t hash, std::string_view bytes)
{
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kFnvPrime;
    }
    return hash;
}

enum class Presence { Absent, Present, Unknown };

// Fingerprints the file as it is now. Unknown when it exists but cannot be
// read as a regular file.
Presence fingerprintFile(const std::string& path, FileFingerprint& fingerprint)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Presence::Absent : Presence::Unknown;
    struct stat info {};
    Presence presence = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? Presence::Present : Presence::Unknown;
    fingerprint = FileFingerprint{0, kFnvOffset};
    std::string chunk(kReadChunk, '\0');
    while (presence == Presence::Present) {
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got < 0)
            presence = Presence::Unknown;
        if (got <= 0)
            break;
        fingerprint.size += static_cast<std::size_t>(got);
        fingerprint.hash = hashOn(fingerprint.hash, std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    }
    close(fd);
    return presence;
}
} // namespace

FileFingerprint FingerprintOf(std::string_view bytes)
{
    return FileFingerprint{bytes.size(), hashOn(kFnvOffset, bytes)};
}

void LibraryFiles::seen(const std::string& path, const FileFingerprint& bytes, std::optional<std::string> gbkModelName)
{
    m_files[path] = Seen{bytes, std::move(gbkModelName)};
}

void LibraryFiles::gone(const std::string& path)
{
    m_files.erase(path);
}

bool LibraryFiles::unchanged(const std::string& path) const
{
    FileFingerprint now;
    const Presence presence = fingerprintFile(path, now);
    const auto it = m_files.find(path);
    if (it == m_files.end())
        return presence == Presence::Absent;
    return presence == Presence::Present && now == it->second.bytes;
}

std::vector<std::string> LibraryFiles::filesOfModel(const std::string& folderPath, const std::string& gbkName) const
{
    std::vector<std::string> paths;
    for (const auto& [path, seen] : m_files) {
        if (path.size() > folderPath.size() && path.compare(0, folderPath.size(), folderPath) == 0 &&
            path.find('/', folderPath.size()) == std::string::npos && seen.modelName &&
            EqualNamesNoCase(*seen.modelName, gbkName))
            paths.push_back(path);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}
