#include <importer/ReaderProcess.h>

#include <importer/DxfFileCheck.h>
#include <importer/DxfSource.h>
#include <importer/ImportProgress.h>
#include <importer/RecordStream.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// How often a waiting reader looks at the cancel request.
constexpr int kPollMs = 20;
constexpr std::size_t kReadBytes = 1 << 20;
constexpr int kPipeBytes = 1 << 20;
// How long a reader that closed its output may take to end before it is killed.
constexpr auto kExitGrace = std::chrono::seconds(2);
constexpr auto kReapStep = std::chrono::milliseconds(5);

// What became of a reader that sent no complete stream.
struct ReaderEnd {
    enum Kind { NotFound, NotStarted, Cancelled, Garbage, TimedOut, Signal, Exit, Incomplete } kind;
    int detail = 0; // the signal, the exit code or the errno
};

ImportFailure failure(ImportProblem problem, int error = 0, std::size_t limit = 0)
{
    ImportFailure f{problem, error};
    f.limit = limit;
    return f;
}

ImportFailure describe(const ReaderEnd& end, const ReaderOptions& options)
{
    switch (end.kind) {
    case ReaderEnd::NotFound: {
        ImportFailure f{ImportProblem::ReaderMissing, end.detail};
        f.detail = options.program;
        return f;
    }
    case ReaderEnd::NotStarted:
        return failure(ImportProblem::ReaderNotStarted, end.detail);
    case ReaderEnd::Cancelled:
        return failure(ImportProblem::Cancelled);
    case ReaderEnd::Garbage:
        return failure(ImportProblem::ReaderGarbage);
    case ReaderEnd::TimedOut:
        return failure(ImportProblem::ReaderHung, 0, static_cast<std::size_t>(options.wallSeconds));
    case ReaderEnd::Signal:
        if (end.detail == SIGXCPU)
            return failure(ImportProblem::ReaderTimeLimit, end.detail, static_cast<std::size_t>(options.cpuSeconds));
        return failure(ImportProblem::ReaderCrashed, end.detail);
    case ReaderEnd::Exit:
        if (end.detail == kReaderOutOfMemory)
            return failure(ImportProblem::ReaderOutOfMemory, end.detail, options.memoryBytes);
        if (end.detail == kReaderDamaged)
            return failure(ImportProblem::Unparsable);
        if (end.detail == kReaderNoNode)
            return failure(ImportProblem::NodeMissing);
        if (end.detail == kReaderNoPackage) {
            ImportFailure f{ImportProblem::DwgReaderMissing};
            f.detail = std::filesystem::path(options.program).parent_path().string();
            return f;
        }
        return failure(ImportProblem::ReaderExited, end.detail);
    case ReaderEnd::Incomplete:
        return failure(ImportProblem::ReaderIncomplete);
    }
    return failure(ImportProblem::InternalError);
}

// A started reader; killed and reaped unless it was reaped before.
class Reader {
public:
    Reader() = default;
    ~Reader()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            reap(std::nullopt);
        }
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Starts the program with `input` as its standard input and `output` as
    // its standard output; 0 or the errno.
    int start(const ReaderOptions& options, int input, int output)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
        std::string memory = std::to_string(options.memoryBytes >> 20);
        std::string cpu = std::to_string(options.cpuSeconds);
        std::string program = options.program;
        std::array<char*, 4> argv{program.data(), memory.data(), cpu.data(), nullptr};
        const int rc = ::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            m_pid = 0;
        return rc;
    }

    void kill()
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGKILL);
    }

    // Waits for the reader to end, for at most `limit` (killing it then);
    // the wait status.
    int reap(std::optional<Clock::duration> limit)
    {
        const auto deadline = Clock::now() + limit.value_or(Clock::duration::zero());
        int status = 0;
        while (true) {
            const pid_t r = ::waitpid(m_pid, &status, limit ? WNOHANG : 0);
            if (r == m_pid || (r < 0 && errno != EINTR))
                break;
            if (r == 0) {
                if (Clock::now() >= deadline) {
                    ::kill(m_pid, SIGKILL);
                    limit.reset();
                    continue;
                }
                std::this_thread::sleep_for(kReapStep);
            }
        }
        m_pid = 0;
        return status;
    }

private:
    pid_t m_pid = 0;
};

ReaderEnd endFromStatus(int status)
{
    if (WIFSIGNALED(status))
        return {ReaderEnd::Signal, WTERMSIG(status)};
    if (WIFEXITED(status) && WEXITSTATUS(status) != kReaderDone)
        return {ReaderEnd::Exit, WEXITSTATUS(status)};
    return {ReaderEnd::Incomplete};
}

} // namespace

std::string readerBesideProgram(const char* name)
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (self.parent_path() / name).string();
}

ReaderOptions dwgReaderBesideProgram()
{
    ReaderOptions options;
    options.program = readerBesideProgram(kDwgReaderProgramName);
    options.memoryBytes = kDwgReaderMemoryBytes;
    return options;
}

namespace {

// A reader started on a text, its records not yet read: they wait in the
// pipe, so the caller may still look at the text and drop the reader.
class ReaderRun {
public:
    ReaderRun(const ReaderOptions& options, int text) : m_options(options)
    {
        if (::access(options.program.c_str(), X_OK) != 0) {
            m_failed = ReaderEnd{ReaderEnd::NotFound};
            return;
        }
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            m_failed = ReaderEnd{ReaderEnd::NotStarted, errno};
            return;
        }
        m_records = UniqueFd(ends[0]);
        UniqueFd writeEnd(ends[1]);
        // Room for the reader to run on while this side places what came (and
        // shares a processor with the check): with the default 64 KiB it
        // stalls every few records. Where the system allows less, the
        // default stays.
        ::fcntl(m_records.get(), F_SETPIPE_SZ, kPipeBytes);
        if (const int rc = m_reader.start(options, text, writeEnd.get()); rc != 0)
            m_failed = ReaderEnd{rc == ENOENT ? ReaderEnd::NotFound : ReaderEnd::NotStarted, rc};
        m_deadline = Clock::now() + std::chrono::seconds(options.wallSeconds);
    }

    // Hands the reader's records, checked, to the sink until its stream ends
    // or the import gives it up.
    ParseResult drain(DrawingSink& sink, ImportProgress& progress, const std::function<bool()>& abandon)
    {
        if (m_failed)
            return failWith(*m_failed);
        RecordStreamReader stream(sink);
        std::vector<char> buffer(kReadBytes);
        std::optional<ReaderEnd> end;
        while (!end) {
            if (progress.cancelled())
                end = ReaderEnd{ReaderEnd::Cancelled};
            else if (Clock::now() >= m_deadline)
                end = ReaderEnd{ReaderEnd::TimedOut};
            else if (abandon && abandon())
                end = ReaderEnd{ReaderEnd::Cancelled};
            if (end)
                break;
            pollfd watch{m_records.get(), POLLIN, 0};
            const int ready = ::poll(&watch, 1, kPollMs);
            if (ready == 0 || (ready < 0 && errno == EINTR))
                continue;
            const ssize_t n = ::read(m_records.get(), buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            if (!stream.feed(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
                end = ReaderEnd{ReaderEnd::Garbage};
        }
        if (end) {
            m_reader.kill();
            return failWith(*end);
        }
        const int status = m_reader.reap(kExitGrace);
        if (!stream.ended())
            return failWith(endFromStatus(status));
        return ParseResult{parseFailure(stream.outcome()), 0};
    }

private:
    ParseResult failWith(const ReaderEnd& end) const { return ParseResult{describe(end, m_options), 0}; }

    const ReaderOptions& m_options;
    Reader m_reader;
    UniqueFd m_records;
    std::optional<ReaderEnd> m_failed;
    Clock::time_point m_deadline;
};

} // namespace

ParseResult runReader(const ReaderOptions& options, int text, DrawingSink& sink, ImportProgress& progress,
                      const std::function<bool()>& abandon)
{
    return ReaderRun(options, text).drain(sink, progress, abandon);
}

namespace {

// Checks the file first and hands the reader the text it stands for.
ParseResult readCheckedInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                       ImportProgress& progress)
{
    DxfSource source = checkDxfSource(file.bytes, &progress);
    if (source.failure)
        return ParseResult{std::move(source.failure), 0};
    const UniqueFd text = openDxfSource(file, source);
    if (!text)
        return ParseResult{describe({ReaderEnd::NotStarted, errno}, options), 0};
    ParseResult result = runReader(options, text.get(), sink, progress);
    if (!result.failure) {
        result.textLength = source.textLength;
        result.notes = std::move(source.notes);
    }
    return result;
}

} // namespace

ParseResult readInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                ImportProgress& progress)
{
    if (drawingFormatOf(file.bytes) == DrawingFormat::BinaryDxf)
        return readCheckedInReaderProcess(options, file, sink, progress);
    const UniqueFd text = openDrawingText(file, file.bytes.size());
    if (!text)
        return ParseResult{describe({ReaderEnd::NotStarted, errno}, options), 0};
    // The reader starts on the file as it is while the file is looked at for
    // lines too long for dxflib; for such a file it is dropped before any of
    // its records are taken, and a checked copy is read instead.
    std::optional<ReaderRun> run(std::in_place, options, text.get());
    if (hasLongLine(file.bytes)) {
        run.reset();
        return readCheckedInReaderProcess(options, file, sink, progress);
    }
    // The file is checked while the reader parses it; a file that fails the
    // check ends the import with the check's reason, whatever the reader did.
    ImportProgress stopCheck;
    std::future<DxfFileCheck> checking = std::async(
        std::launch::async, [bytes = file.bytes, &stopCheck] { return checkDxfText(bytes, &stopCheck); });
    std::optional<DxfFileCheck> check;
    auto checkFailed = [&](bool wait) {
        if (!check && (wait || checking.wait_for(std::chrono::seconds(0)) == std::future_status::ready))
            check = checking.get();
        return check && check->failure;
    };
    ParseResult result = run->drain(sink, progress, [&] { return checkFailed(false); });
    if (progress.cancelled()) {
        stopCheck.cancel();
        return ParseResult{describe({ReaderEnd::Cancelled}, options), 0};
    }
    if (checkFailed(true))
        return ParseResult{check->failure, 0};
    if (!result.failure)
        result.textLength = check->textLength;
    return result;
}

ParseResult readDwgInReaderProcess(const ReaderOptions& options, const DrawingFile& file, DrawingSink& sink,
                                   ImportProgress& progress)
{
    const UniqueFd drawing = openDrawingText(file, file.bytes.size());
    if (!drawing)
        return ParseResult{describe({ReaderEnd::NotStarted, errno}, options), 0};
    ParseResult result = runReader(options, drawing.get(), sink, progress);
    if (!result.failure)
        result.textLength = file.bytes.size();
    return result;
}

DrawingParser readerProcessParser(ReaderOptions dxf, ReaderOptions dwg)
{
    return [dxf = std::move(dxf), dwg = std::move(dwg)](const DrawingFile& file, DrawingSink& sink,
                                                         ImportProgress& progress) {
        if (drawingFormatOf(file.bytes) == DrawingFormat::Dwg)
            return readDwgInReaderProcess(dwg, file, sink, progress);
        return readInReaderProcess(dxf, file, sink, progress);
    };
}
