#include <library/LibraryFiles.h>

#include <library/NameLookup.h>

#include <algorithm>
#include <cstring>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr std::size_t kReadChunk = 64 * 1024;

// An FNV-style hash taken a machine word at a time, several times faster
// than byte by byte on the whole library read at start-up. Fed in pieces it
// gives what the whole text gives, so a file read in chunks hashes as the
// same bytes held in memory.
class WordHash {
public:
    void add(std::string_view bytes)
    {
        if (m_pending > 0) {
            const std::size_t taken = std::min(bytes.size(), sizeof m_word - m_pending);
            std::memcpy(m_word + m_pending, bytes.data(), taken);
            m_pending += taken;
            bytes.remove_prefix(taken);
            if (m_pending < sizeof m_word)
                return;
            mix(m_word);
            m_pending = 0;
        }
        for (; bytes.size() >= sizeof m_word; bytes.remove_prefix(sizeof m_word))
            mix(bytes.data());
        std::memcpy(m_word, bytes.data(), bytes.size());
        m_pending = bytes.size();
    }

    std::uint64_t value() const
    {
        std::uint64_t hash = m_hash;
        for (std::size_t i = 0; i < m_pending; ++i)
            hash = (hash ^ static_cast<unsigned char>(m_word[i])) * kFnvPrime;
        return hash;
    }

private:
    void mix(const char* at)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, at, sizeof word);
        m_hash = (m_hash ^ word) * kFnvPrime;
        m_hash ^= m_hash >> 29; // the multiply carries low bits up only: fold the high ones back
    }

    std::uint64_t m_hash = kFnvOffset;
    char m_word[8] = {};
    std::size_t m_pending = 0;
};

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
    fingerprint = FileFingerprint{};
    WordHash hash;
    std::string chunk(kReadChunk, '\0');
    while (presence == Presence::Present) {
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got < 0)
            presence = Presence::Unknown;
        if (got <= 0)
            break;
        fingerprint.size += static_cast<std::size_t>(got);
        hash.add(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    }
    fingerprint.hash = hash.value();
    close(fd);
    return presence;
}
} // namespace

FileFingerprint FingerprintOf(std::string_view bytes)
{
    WordHash hash;
    hash.add(bytes);
    return FileFingerprint{bytes.size(), hash.value()};
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
