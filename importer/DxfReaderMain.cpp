// The reader process: parses one drawing with dxflib and streams its records
// to the program that started it. The drawing's text comes on standard input,
// the records leave on standard output.
//   VarnholtDxfReader MEMORY_MB CPU_SECONDS
#include <importer/DxfParse.h>
#include <importer/ReaderProcess.h>
#include <importer/ReaderSandbox.h>
#include <importer/RecordStream.h>

#include <cerrno>
#include <charconv>
#include <new>
#include <string_view>

#include <unistd.h>

namespace {

bool parseCount(const char* text, long& out)
{
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out > 0;
}

// Ends at the first failed allocation, before anything unwinds through
// dxflib (whose destructor may then free an array twice).
void outOfMemory()
{
    ::_exit(kReaderOutOfMemory);
}

void endAfterFailure(DxfParseOutcome outcome)
{
    ::_exit(outcome == DxfParseOutcome::OutOfMemory ? kReaderOutOfMemory : kReaderDamaged);
}

void writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ::_exit(kReaderDone); // nobody reads any more
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

int main(int argc, char** argv)
{
    long memoryMb = 0, cpuSeconds = 0;
    if (argc != 3 || !parseCount(argv[1], memoryMb) || !parseCount(argv[2], cpuSeconds))
        return kReaderUsage;
    if (!confineReader(static_cast<std::size_t>(memoryMb) << 20, static_cast<int>(cpuSeconds)))
        return kReaderConfined;
    std::set_new_handler(outOfMemory);
    RecordStreamWriter writer(writeAll);
    const DxfParseOutcome outcome = parseDxf("/proc/self/fd/0", writer, DxfEnd::EofGroup, endAfterFailure);
    writer.finish(outcome);
    return kReaderDone;
}
