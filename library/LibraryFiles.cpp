#include <library/LibraryFiles.h>

#include <library/NameLookup.h>

#include <algorithm>
#include <cstring>
#include <iterator>

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

namespace {
bool pathBefore(const LibraryFiles::File& file, const std::string& path)
{
    return file.path < path;
}
} // namespace

std::vector<LibraryFiles::File>::const_iterator LibraryFiles::find(const std::string& path) const
{
    const auto at = std::lower_bound(m_files.begin(), m_files.end(), path, pathBefore);
    return at != m_files.end() && at->path == path ? at : m_files.end();
}

void LibraryFiles::seen(std::string path, const FileFingerprint& bytes, std::optional<std::string> gbkModelName)
{
    const auto at = std::lower_bound(m_files.begin(), m_files.end(), path, pathBefore);
    if (at != m_files.end() && at->path == path)
        at->seen = Seen{bytes, std::move(gbkModelName)};
    else
        m_files.insert(at, File{std::move(path), Seen{bytes, std::move(gbkModelName)}});
}

void LibraryFiles::seenAll(std::vector<File> files)
{
    const auto byPath = [](const File& a, const File& b) { return a.path < b.path; };
    if (!std::is_sorted(files.begin(), files.end(), byPath))
        std::sort(files.begin(), files.end(), byPath);
    std::vector<File> merged;
    merged.reserve(m_files.size() + files.size());
    auto known = m_files.begin();
    for (File& file : files) {
        while (known != m_files.end() && known->path < file.path)
            merged.push_back(std::move(*known++));
        if (known != m_files.end() && known->path == file.path)
            ++known; // seen anew
        merged.push_back(std::move(file));
    }
    std::move(known, m_files.end(), std::back_inserter(merged));
    m_files = std::move(merged);
}

void LibraryFiles::gone(const std::string& path)
{
    if (const auto at = find(path); at != m_files.cend())
        m_files.erase(at);
}

bool LibraryFiles::unchanged(const std::string& path) const
{
    FileFingerprint now;
    const Presence presence = fingerprintFile(path, now);
    const auto it = find(path);
    if (it == m_files.cend())
        return presence == Presence::Absent;
    return presence == Presence::Present && now == it->seen.bytes;
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
