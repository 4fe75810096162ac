#include <library/ReadAhead.h>

#include <cerrno>
#include <new>
#include <system_error>

namespace {
// Enough to keep the reader a few hundred ordinary files ahead, and two
// files at the size limit.
constexpr std::size_t kMaxBytesWaiting = 2 * kMaxLibraryFileSize;

LibraryText readOne(std::string path)
{
    try {
        return ReadLibraryFile(path);
    } catch (const std::bad_alloc&) {
        return LibraryText{std::move(path), {LoadProblem::Unreadable, ENOMEM}, {}, {}};
    }
}
} // namespace

ReadAhead::ReadAhead(std::vector<std::string> paths)
{
    m_files.reserve(paths.size());
    for (std::string& path : paths)
        m_files.push_back(LibraryText{std::move(path), {}, {}, {}});
    if (m_files.size() < 2)
        return; // nothing to overlap
    try {
        m_reader = std::thread(&ReadAhead::readAll, this);
    } catch (const std::system_error&) {
        // Read as taken.
    }
}

ReadAhead::~ReadAhead()
{
    if (!m_reader.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_reader.join();
}

void ReadAhead::readAll()
{
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || m_bytesWaiting < kMaxBytesWaiting; });
            if (m_stop)
                return;
        }
        // The files from m_read on are this thread's alone.
        m_files[i] = readOne(std::move(m_files[i].path));
        {
            const std::lock_guard lock(m_mutex);
            m_bytesWaiting += m_files[i].text.size();
            ++m_read;
        }
        m_changed.notify_all();
    }
}

LibraryText ReadAhead::next()
{
    const std::size_t i = m_taken++;
    if (!m_reader.joinable())
        return readOne(std::move(m_files[i].path));
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this, i] { return m_read > i; });
    LibraryText file = std::move(m_files[i]);
    m_bytesWaiting -= file.text.size();
    lock.unlock();
    m_changed.notify_all();
    return file;
}
