#include <library/LibraryDocument.h>

#include <library/XmlNesting.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <tinyxml.h>
#include <unistd.h>

namespace {
// Reads the whole regular file, up to the size limit. Opening does not block
// on a named pipe, and a file that grows past the limit is refused.
bool readSmallFile(const std::string& path, std::string& content)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::size_t>(info.st_size) <= kMaxLibraryFileSize;
    if (ok) {
        content.resize(static_cast<std::size_t>(info.st_size) + 1);
        std::size_t used = 0;
        while (ok) {
            if (used == content.size()) {
                if (content.size() > kMaxLibraryFileSize) {
                    ok = false;
                    break;
                }
                content.resize(std::min(content.size() * 2, kMaxLibraryFileSize + 1));
            }
            const ssize_t got = read(fd, content.data() + used, content.size() - used);
            if (got < 0)
                ok = false;
            else if (got == 0)
                break;
            else
                used += static_cast<std::size_t>(got);
        }
        content.resize(used);
    }
    close(fd);
    return ok;
}

// CR LF and a lone CR become LF, in place.
void normaliseLineEnds(std::string& text)
{
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in) {
        if (text[in] == '\r') {
            text[out++] = '\n';
            if (in + 1 < text.size() && text[in + 1] == '\n')
                ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}
} // namespace

TiXmlElement& StartLibraryDocument(TiXmlDocument& document, const char* rootName)
{
    document.LinkEndChild(new TiXmlDeclaration("1.0", "gb2312", ""));
    return *document.LinkEndChild(new TiXmlElement(rootName))->ToElement();
}

bool LoadLibraryDocument(const std::string& path, TiXmlDocument& document, std::optional<FileFingerprint>* seen)
{
    std::string text;
    if (!readSmallFile(path, text))
        return false;
    if (seen)
        *seen = FingerprintOf(text);
    normaliseLineEnds(text);
    if (!NestingWithin(text, kMaxLibraryNesting))
        return false;
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    return !document.Error();
}

const TiXmlElement* RootElement(const TiXmlDocument& document)
{
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling())
        if (const TiXmlElement* element = node->ToElement())
            return element;
    return nullptr;
}
