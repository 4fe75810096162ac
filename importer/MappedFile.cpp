#include <importer/MappedFile.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::MappedFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        m_error = EINVAL;
    } else {
        m_size = static_cast<std::size_t>(st.st_size);
        if (m_size == 0) {
            m_open = true;
        } else {
            void* p = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                m_data = static_cast<const char*>(p);
                m_open = m_mapped = true;
            } else {
                m_error = errno;
                m_size = 0;
            }
        }
    }
    ::close(fd);
}

MappedFile::~MappedFile()
{
    if (m_mapped)
        ::munmap(const_cast<char*>(m_data), m_size);
}
