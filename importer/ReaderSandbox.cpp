#include <importer/ReaderSandbox.h>

#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool setLimit(int resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit{soft, hard};
    return ::setrlimit(resource, &limit) == 0;
}

// Dies with its parent, uses at most `cpuSeconds` of processor time and
// writes no file, not even a core dump.
bool commonLimits(int cpuSeconds)
{
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() == 1)
        return false;
    const auto cpu = static_cast<rlim_t>(cpuSeconds);
    return setLimit(RLIMIT_CPU, cpu, cpu + 1) && setLimit(RLIMIT_FSIZE, 0, 0) && setLimit(RLIMIT_CORE, 0, 0);
}

// The address space the process holds now, in bytes; 0 when unknown.
std::size_t addressSpaceNow()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    unsigned long pages = 0;
    const bool read = std::fscanf(f, "%lu", &pages) == 1;
    std::fclose(f);
    return read ? pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) : 0;
}

// Every file access Landlock knows of in its first version; later versions
// only add rights this process never needs.
constexpr __u64 kAllFileAccess = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_WRITE_FILE
                                 | LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR
                                 | LANDLOCK_ACCESS_FS_REMOVE_DIR | LANDLOCK_ACCESS_FS_REMOVE_FILE
                                 | LANDLOCK_ACCESS_FS_MAKE_CHAR | LANDLOCK_ACCESS_FS_MAKE_DIR
                                 | LANDLOCK_ACCESS_FS_MAKE_REG | LANDLOCK_ACCESS_FS_MAKE_SOCK
                                 | LANDLOCK_ACCESS_FS_MAKE_FIFO | LANDLOCK_ACCESS_FS_MAKE_BLOCK
                                 | LANDLOCK_ACCESS_FS_MAKE_SYM;

// A Landlock rule set that forbids every file access not granted by a rule;
// closed with the object. Invalid on a kernel without Landlock.
class Ruleset {
public:
    Ruleset()
    {
        landlock_ruleset_attr attr{};
        attr.handled_access_fs = kAllFileAccess;
        m_fd = static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0));
    }
    ~Ruleset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Ruleset(const Ruleset&) = delete;
    Ruleset& operator=(const Ruleset&) = delete;

    explicit operator bool() const { return m_fd >= 0; }

    // Grants `access` beneath the open file or folder `fd`. Fails for a copy
    // held in memory, which Landlock does not guard anyway.
    void allow(int fd, __u64 access)
    {
        landlock_path_beneath_attr rule{};
        rule.allowed_access = access;
        rule.parent_fd = fd;
        ::syscall(SYS_landlock_add_rule, m_fd, LANDLOCK_RULE_PATH_BENEATH, &rule, 0);
    }
    // The same beneath a path; a folder may also be listed, a path that does
    // not exist is passed over.
    void allow(const std::string& path, __u64 access)
    {
        const int fd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat st{};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
            access |= LANDLOCK_ACCESS_FS_READ_DIR;
        allow(fd, access);
        ::close(fd);
    }
    void restrictSelf()
    {
        if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0)
            ::syscall(SYS_landlock_restrict_self, m_fd, 0);
    }

private:
    int m_fd = -1;
};

} // namespace

bool confineReader(std::size_t memoryBytes, int cpuSeconds)
{
    if (!commonLimits(cpuSeconds))
        return false;
    const std::size_t now = addressSpaceNow();
    if (now == 0 || !setLimit(RLIMIT_AS, now + memoryBytes, now + memoryBytes))
        return false;
    // A kernel without Landlock leaves the process as it is: the other
    // limits still hold.
    Ruleset rules;
    if (rules) {
        rules.allow(STDIN_FILENO, LANDLOCK_ACCESS_FS_READ_FILE);
        rules.restrictSelf();
    }
    return true;
}

bool confineNodeReader(std::size_t dataBytes, int cpuSeconds, const ReadableFiles& files)
{
    if (!commonLimits(cpuSeconds) || !setLimit(RLIMIT_DATA, dataBytes, dataBytes))
        return false;
    Ruleset rules;
    if (rules) {
        for (const std::string& path : files.read)
            rules.allow(path, LANDLOCK_ACCESS_FS_READ_FILE);
        for (const std::string& path : files.execute)
            rules.allow(path, LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_EXECUTE);
        rules.restrictSelf();
    }
    return true;
}
