#include <importer/DrawingParser.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/mman.h>

UniqueFd openDrawingText(const DrawingFile& file, std::size_t length)
{
    if (length == file.bytes.size())
        return UniqueFd(::fcntl(file.fd, F_DUPFD_CLOEXEC, 0));
    return textInMemory(file.bytes.substr(0, length));
}

UniqueFd textInMemory(std::string_view text)
{
    UniqueFd copy(::memfd_create("drawing", MFD_CLOEXEC));
    if (!copy)
        return copy;
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t n = ::write(copy.get(), rest.data(), rest.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return UniqueFd();
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::lseek(copy.get(), 0, SEEK_SET) != 0)
        return UniqueFd();
    return copy;
}
