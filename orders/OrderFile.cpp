#include <orders/Order.h>

#include <orders/OrderCsv.h>
#include <orders/OrderXlsx.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FdCloser {
    int fd;
    ~FdCloser() { close(fd); }
};

OrderFile cannotOpen(int error)
{
    OrderFile file;
    file.problem = OrderFileProblem::CannotOpen;
    file.error = error;
    return file;
}

// The whole regular file, up to the limit; opening does not block on a named
// pipe, and a file that grows past the limit while read is refused too.
std::optional<OrderFile> readCapped(const std::string& path, std::string& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return cannotOpen(errno);
    const FdCloser closer{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return cannotOpen(errno);
    if (!S_ISREG(info.st_mode))
        return cannotOpen(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    const std::size_t cap = static_cast<std::size_t>(kMaxOrderFileBytes);
    OrderFile tooLarge;
    tooLarge.problem = OrderFileProblem::TooLarge;
    tooLarge.limitOf = OrderFileLimit::FileBytes;
    tooLarge.limit = kMaxOrderFileBytes;
    if (static_cast<unsigned long long>(info.st_size) > cap)
        return tooLarge;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (bytes.size() > cap)
                return tooLarge;
            bytes.resize(std::min(bytes.size() * 2, cap + 1));
        }
        const ssize_t got = read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return cannotOpen(errno);
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return std::nullopt;
}

} // namespace

OrderFile ReadOrderFile(const std::string& path)
{
    std::string bytes;
    std::optional<OrderFile> problem = readCapped(path, bytes);
    // A zip (an empty one too) is a workbook; anything else is read as text.
    const std::string_view view(bytes);
    OrderFile file = problem                                                             ? std::move(*problem)
                     : view.starts_with("PK\x03\x04") || view.starts_with("PK\x05\x06") ? ReadXlsxOrder(bytes)
                                                                                         : ReadCsvOrder(bytes);
    file.path = path;
    return file;
}
