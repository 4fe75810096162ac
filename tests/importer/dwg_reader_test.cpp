#include "DwgDrawings.h"

#include <importer/CadImporter.h>
#include <importer/DrawingSink.h>
#include <importer/ImportProgress.h>
#include <importer/MappedFile.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <future>
#include <random>

#include <linux/landlock.h>
#include <sys/syscall.h>
#include <sys/wait.h>

namespace {

using Clock = std::chrono::steady_clock;

bool noChildLeft()
{
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

bool kernelHasLandlock()
{
    return ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION) > 0;
}

ImportFailure importWith(const ReaderOptions& dwg, const std::string& path)
{
    CadImporter importer{readerProcessParser(readerOptions(), dwg)};
    importer.import_hinges_from_cad_file(path);
    return importer.report().failure;
}

// Whatever the node program does, or whatever is missing, the import ends
// with its reason within the limits and leaves no process behind; the
// program can write no file, read none but its own, and sees nothing of
// the caller's environment.
TEST(DwgReader, EndsWithAReasonWhateverItsProgramDoes)
{
    ScratchFolder folder;
    const std::string drawing = folder.write("drawing.dwg", std::string("AC1015") + std::string(200, '\0'));
    ::setenv("NODE_OPTIONS", "--require=/nowhere.js", 1);
    struct Case {
        const char* mode;
        int wallSeconds;
        ImportProblem problem;
        int error = 0;
    } cases[] = {
        {"hang", 3, ImportProblem::ReaderHung},
        // A second of processor time takes longer on a busy machine.
        {"spin", 30, ImportProblem::ReaderTimeLimit, SIGXCPU},
        // An empty stream: no entity, no outline.
        {"probe", 30, ImportProblem::NoClosedOutline},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        StandInDwgReader reader(c.mode);
        reader.options.wallSeconds = c.wallSeconds;
        reader.options.cpuSeconds = 1;
        const auto start = Clock::now();
        const ImportFailure failure = importWith(reader.options, drawing);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(c.wallSeconds + 3));
        if (!kernelHasLandlock() && failure.problem == ImportProblem::ReaderExited && failure.error == 11)
            continue; // without Landlock only the other limits hold
        EXPECT_EQ(failure.problem, c.problem) << failure;
        EXPECT_EQ(failure.error, c.error);
        EXPECT_TRUE(noChildLeft());
    }
    ::unsetenv("NODE_OPTIONS");

    StandInDwgReader noPackage("probe", false);
    EXPECT_EQ(importWith(noPackage.options, drawing).problem, ImportProblem::DwgReaderMissing);
    ReaderOptions nowhere = dwgReaderOptions();
    nowhere.program = (folder.path() / "VarnholtDwgReader").string();
    EXPECT_EQ(importWith(nowhere, drawing).problem, ImportProblem::ReaderMissing);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", folder.path().c_str(), 1);
    EXPECT_EQ(importWith(dwgReaderOptions(), drawing).problem, ImportProblem::NodeMissing);
    ::setenv("PATH", path.c_str(), 1);
}

// Damaged copies of the fixtures (cut at 10, 50 and 90 %, bytes flipped), a
// DXF named .dwg and an empty file: each gives a model or a reason, in
// time, and leaves no process behind.
TEST(DwgReader, DamagedDrawingsEndWithAReason)
{
    SKIP_WITHOUT_DWG_FIXTURES();
    ScratchFolder folder;
    std::vector<std::string> variants{
        folder.write("empty.dwg", ""),
        folder.write("text.dwg", DxfText().beginEntities().square(0, 0, 20).endOfFile().text),
    };
    std::mt19937 random(23);
    for (const char* file : {"sample_2000.dwg", "example_2004.dwg", "r2007_Spline.dwg", "example_2018.dwg"}) {
        const std::string whole = readBytes(dwgFixture(file));
        for (const int percent : {10, 50, 90})
            variants.push_back(folder.write(std::to_string(percent) + file, whole.substr(0, whole.size() * percent / 100)));
        std::string flipped = whole;
        for (int i = 0; i < 16; ++i)
            flipped[std::uniform_int_distribution<std::size_t>(0, flipped.size() - 1)(random)] ^= 1 << (random() % 8);
        variants.push_back(folder.write(std::string("flipped_") + file, flipped));
    }
    ReaderOptions dwg = dwgReaderOptions();
    dwg.wallSeconds = 20;
    for (const std::string& path : variants) {
        SCOPED_TRACE(path);
        CadImporter importer{readerProcessParser(readerOptions(), dwg)};
        const auto start = Clock::now();
        const int rc = importer.import_hinges_from_cad_file(path);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(dwg.wallSeconds + 3));
        EXPECT_EQ(rc == 0, importer.get_hinges_model() != nullptr);
        EXPECT_EQ(rc == 0, !importer.report().failure) << importer.report().failure;
        EXPECT_TRUE(noChildLeft());
    }
    EXPECT_EQ(importWith(dwg, variants[0]).problem, ImportProblem::EmptyFile);
    EXPECT_FALSE(importWith(dwg, variants[1])); // read as the DXF it is
}

// Within the DWG reader's own memory the largest fixture imports; with too
// little for WebAssembly's first gigabyte it ends with the limit named, and
// a cancel ends a running import at once.
TEST(DwgReader, MemoryLimitAndCancel)
{
    SKIP_WITHOUT_DWG_FIXTURES();
    const std::string largest = dwgFixture("24127_circles_128_lines.dwg");
    ReaderOptions small = dwgReaderOptions();
    small.memoryBytes = std::size_t(1100) << 20;
    const ImportFailure failure = importWith(small, largest);
    EXPECT_EQ(failure.problem, ImportProblem::ReaderOutOfMemory) << failure;
    EXPECT_EQ(failure.limit, small.memoryBytes);

    const MappedFile file(largest);
    DrawingAssembler sink;
    ImportProgress progress;
    auto reading = std::async(std::launch::async, [&] {
        return readDwgInReaderProcess(dwgReaderOptions(), DrawingFile{file.fd(), file.bytes()}, sink, progress);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    progress.cancel();
    const auto cancelled = Clock::now();
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_LT(Clock::now() - cancelled, std::chrono::milliseconds(500));
    EXPECT_EQ(reading.get().failure.problem, ImportProblem::Cancelled);
    EXPECT_TRUE(noChildLeft());
}

} // namespace
