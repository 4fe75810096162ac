#pragma once

#include <importer/UniqueFd.h>

#include <cstddef>
#include <string>
#include <string_view>

// A file opened and mapped read-only into memory for the life of the object.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool isOpen() const { return m_open; }
    // errno of the call that failed when the file is not open.
    int error() const { return m_error; }
    std::string_view bytes() const { return {m_data, m_size}; }
    // The open file, for handing on to a parser.
    int fd() const { return m_fd.get(); }

private:
    UniqueFd m_fd;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_open = false;
    bool m_mapped = false;
    int m_error = 0;
};
