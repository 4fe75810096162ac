#pragma once

#include <library/LibraryText.h>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Reads library files on a thread of its own, one after the other in the
// order given, while the caller parses those already read: the waits on the
// disk and the pre-check of each text leave the caller's path. What is read
// but not yet taken stays under a bound of bytes, so that a folder of files
// at the size limit does not fill the memory. Where no thread can be
// started, each file is read when taken.
class ReadAhead {
public:
    explicit ReadAhead(std::vector<std::string> paths);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    std::size_t count() const { return m_files.size(); }
    // The next file, in the order given; only count() of them.
    LibraryText next();

private:
    void readAll();

    std::vector<LibraryText> m_files; // the paths, and each text once read
    std::size_t m_taken = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_read = 0;        // guarded by m_mutex
    std::size_t m_bytesWaiting = 0; // guarded by m_mutex
    bool m_stop = false;            // guarded by m_mutex
    std::thread m_reader;           // last: started once the rest is in place
};
