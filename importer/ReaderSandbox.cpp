#include <importer/ReaderSandbox.h>

#include <csignal>
#include <cstdio>

#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool setLimit(int resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit{soft, hard};
    return ::setrlimit(resource, &limit) == 0;
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

// Lets the process open nothing but the file on its standard input. A kernel
// without Landlock leaves the process as it is: the other limits still hold.
void restrictFilesToInput()
{
    landlock_ruleset_attr attr{};
    attr.handled_access_fs = kAllFileAccess;
    const long ruleset = ::syscall(SYS_landlock_create_ruleset, &attr, sizeof attr, 0);
    if (ruleset < 0)
        return;
    landlock_path_beneath_attr input{};
    input.allowed_access = LANDLOCK_ACCESS_FS_READ_FILE;
    input.parent_fd = STDIN_FILENO;
    // Fails for a copy held in memory, which Landlock does not guard anyway.
    ::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &input, 0);
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0)
        ::syscall(SYS_landlock_restrict_self, ruleset, 0);
    ::close(static_cast<int>(ruleset));
}

} // namespace

bool confineReader(std::size_t memoryBytes, int cpuSeconds)
{
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() == 1)
        return false;
    const std::size_t now = addressSpaceNow();
    const auto cpu = static_cast<rlim_t>(cpuSeconds);
    if (now == 0 || !setLimit(RLIMIT_AS, now + memoryBytes, now + memoryBytes) || !setLimit(RLIMIT_CPU, cpu, cpu + 1)
        || !setLimit(RLIMIT_FSIZE, 0, 0) || !setLimit(RLIMIT_CORE, 0, 0))
        return false;
    restrictFilesToInput();
    return true;
}
