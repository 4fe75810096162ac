#include <importer/MappedFile.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

MappedFile::MappedFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
{
    if (!m_fd) {
        m_error = errno;
        return;
    }
    struct stat st {};
    if (::fstat(m_fd.get(), &st) != 0) {
        m_error = errno;
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        m_error = EINVAL;
        return;
    }
    m_size = static_cast<std::size_t>(st.st_size);
    if (m_size == 0) {
        m_open = true;
        return;
    }
    void* p = ::mmap(nullptr, m_size, PROT_READ, MAP_PRIVATE, m_fd.get(), 0);
    if (p == MAP_FAILED) {
        m_error = errno;
        m_size = 0;
        return;
    }
    m_data = static_cast<const char*>(p);
    m_open = m_mapped = true;
}

MappedFile::~MappedFile()
{
    if (m_mapped)
        ::munmap(const_cast<char*>(m_data), m_size);
}
