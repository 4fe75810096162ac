#include <library/LibraryText.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Closes the descriptor however the read ends.
struct FdCloser {
    int fd;
    ~FdCloser() { close(fd); }
};

// Reads the whole regular file, up to the size limit. Opening does not block
// on a named pipe, and a file that grows past the limit is refused.
LoadOutcome readSmallFile(const std::string& path, std::string& content)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {LoadProblem::Unreadable, errno};
    const FdCloser closer{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return {LoadProblem::Unreadable, errno};
    if (!S_ISREG(info.st_mode))
        return {LoadProblem::NotAFile};
    if (static_cast<std::size_t>(info.st_size) > kMaxLibraryFileSize)
        return {LoadProblem::TooLarge};
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            if (content.size() > kMaxLibraryFileSize)
                return {LoadProblem::TooLarge};
            content.resize(std::min(content.size() * 2, kMaxLibraryFileSize + 1));
        }
        const ssize_t got = read(fd, content.data() + used, content.size() - used);
        if (got < 0)
            return {LoadProblem::Unreadable, errno};
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    content.resize(used);
    return {};
}

LoadProblem overLimit(const XmlCounts& counts)
{
    if (counts.depth > kLibraryXmlLimits.depth)
        return LoadProblem::TooDeep;
    if (counts.attributes > kLibraryXmlLimits.attributes)
        return LoadProblem::TooManyAttributes;
    return LoadProblem::TooManyNodes;
}

// CR LF and a lone CR become LF, in place; the runs between them move whole.
void normaliseLineEnds(std::string& text)
{
    std::size_t in = text.find('\r');
    if (in == std::string::npos)
        return;
    std::size_t out = in;
    while (in < text.size()) {
        text[out++] = '\n';
        in += in + 1 < text.size() && text[in + 1] == '\n' ? 2 : 1;
        const std::size_t next = std::min(text.find('\r', in), text.size());
        std::memmove(text.data() + out, text.data() + in, next - in);
        out += next - in;
        in = next;
    }
    text.resize(out);
}
} // namespace

LoadOutcome ReadLibraryText(const std::string& path, std::string& text, std::optional<FileFingerprint>* seen)
{
    if (const LoadOutcome read = readSmallFile(path, text); !read)
        return read;
    if (seen)
        *seen = FingerprintOf(text);
    normaliseLineEnds(text);
    if (std::string_view(text).starts_with(kUtf8ByteOrderMark))
        text.erase(0, kUtf8ByteOrderMark.size());
    if (const XmlCounts counts = CountXml(text, kLibraryXmlLimits); !XmlWithin(counts, kLibraryXmlLimits))
        return {overLimit(counts)};
    return {};
}

LibraryText ReadLibraryFile(std::string path)
{
    LibraryText file{std::move(path), {}, {}, {}};
    file.outcome = ReadLibraryText(file.path, file.text, &file.seen);
    return file;
}
