#include "GeneratedDrawings.h"
#include "TestDrawings.h"

#include <importer/CadImporter.h>
#include <importer/DrawingSink.h>
#include <importer/ImportProgress.h>
#include <importer/MappedFile.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <future>

#include <fcntl.h>
#include <sys/wait.h>

namespace {

// The problems of a reader that ended before its stream was complete.
bool readerFailed(const ImportFailure& failure)
{
    switch (failure.problem) {
    case ImportProblem::ReaderCrashed:
    case ImportProblem::ReaderExited:
    case ImportProblem::ReaderOutOfMemory:
    case ImportProblem::ReaderTimeLimit:
        return true;
    default:
        return false;
    }
}

// A drawing that makes dxflib free its LWPOLYLINE vertex array and then fail
// to allocate the next one (four times the count overflows an int): dxflib's
// destructor would free that array again.
std::string doubleFreeDrawing()
{
    DxfText dxf;
    dxf.beginEntities().square(0, 0, 10);
    dxf.group(0, "LWPOLYLINE").group(8, "0").group(90, "4").group(70, "1");
    for (int i = 0; i < 4; ++i)
        dxf.group(10, i % 2 * 5.0).group(20, i / 2 * 5.0);
    dxf.group(0, "LWPOLYLINE").group(8, "0").group(90, "600000000").group(10, 1.0).group(20, 1.0);
    return dxf.endOfFile().text;
}

// Records of a reader, counted as they arrive.
class CountingSink final : public DrawingSink {
public:
    void insunits(int) override {}
    void codePage(std::string) override {}
    void version(std::string) override {}
    void layer(std::string) override {}
    void beginBlock(std::string, const position&) override {}
    void endBlock() override {}
    void entity(EntityRecord&&) override { ++entities; }
    void skipped(const SkippedKind&) override {}

    std::atomic<std::size_t> entities{0};
};

ParseResult runOn(const ReaderOptions& options, const std::string& path, DrawingSink& sink)
{
    const UniqueFd text(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    ImportProgress progress;
    return runReader(options, text.get(), sink, progress);
}

bool noChildLeft()
{
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

struct FakeCase {
    const char* mode;
    ImportProblem problem;
    int error = 0;
};

class FakeReader : public ::testing::TestWithParam<FakeCase> {};

// Whatever the reader does, the import ends with a reason and leaves no
// process behind.
TEST_P(FakeReader, EndsTheImportWithAReason)
{
    ScratchFolder folder;
    const auto fake = folder.path() / GetParam().mode;
    if (std::string_view(GetParam().mode) != "missing")
        std::filesystem::create_symlink(VARNHOLT_BINARY_DIR "/tests/importer/fake_dxf_reader", fake);
    ReaderOptions options = readerOptions();
    options.program = fake.string();
    options.wallSeconds = 1;
    CountingSink sink;
    const std::string path = folder.write("square.dxf", DxfText().beginEntities().square(0, 0, 5).endOfFile().text);
    const ParseResult result = runOn(options, path, sink);
    EXPECT_EQ(result.failure.problem, GetParam().problem) << result.failure;
    EXPECT_EQ(result.failure.error, GetParam().error);
    EXPECT_TRUE(noChildLeft());
}

INSTANTIATE_TEST_SUITE_P(Modes, FakeReader,
                         ::testing::Values(FakeCase{"killed", ImportProblem::ReaderCrashed, SIGKILL},
                                           FakeCase{"cut", ImportProblem::ReaderIncomplete},
                                           FakeCase{"garbage", ImportProblem::ReaderGarbage},
                                           FakeCase{"trailing", ImportProblem::ReaderGarbage},
                                           FakeCase{"silent", ImportProblem::ReaderHung},
                                           FakeCase{"missing", ImportProblem::ReaderMissing}),
                         [](const auto& info) { return std::string(info.param.mode); });

TEST(ReaderProcess, DoubleFreeDrawingEndsWithAReason)
{
    ScratchFolder folder;
    const std::string path = folder.write("double_free.dxf", doubleFreeDrawing());
    // Given to the reader unchecked, dxflib meets the drawing as it is.
    CountingSink sink;
    const ParseResult direct = runOn(readerOptions(), path, sink);
    EXPECT_TRUE(readerFailed(direct.failure)) << direct.failure;
    // Imported, the file check refuses it before anything is parsed.
    CadImporter importer{readerParser()};
    EXPECT_NE(importer.import_hinges_from_cad_file(path), 0);
    EXPECT_EQ(importer.report().failure.problem, ImportProblem::BadCount) << importer.report().failure;
    EXPECT_TRUE(noChildLeft());
}

TEST(ReaderProcess, PastItsMemoryLimitEndsWithAReason)
{
    ScratchFolder folder;
    DxfText dxf;
    dxf.beginEntities().square(0, 0, 10);
    // dxflib allocates for the declared count: 32 MB here.
    dxf.group(0, "LWPOLYLINE").group(8, "0").group(90, "1000000").group(10, 1.0).group(20, 1.0);
    const std::string path = folder.write("big.dxf", dxf.endOfFile().text);
    ReaderOptions options = readerOptions();
    options.memoryBytes = std::size_t(16) << 20;
    CadImporter importer{readerProcessParser(options)};
    EXPECT_NE(importer.import_hinges_from_cad_file(path), 0);
    EXPECT_TRUE(readerFailed(importer.report().failure)) << importer.report().failure;
    // Within the program's own limit the same drawing imports.
    CadImporter roomy{readerParser()};
    EXPECT_EQ(roomy.import_hinges_from_cad_file(path), 0) << roomy.report().failure;
}

TEST(ReaderProcess, CancelKillsTheReaderAtOnce)
{
    ScratchFolder folder;
    DxfText dxf;
    dxf.beginEntities();
    for (int i = 0; i < 300'000; ++i)
        dxf.line(i, 0, i, 1);
    const std::string path = folder.write("slow.dxf", dxf.endOfFile().text);
    const MappedFile file(path);
    CountingSink sink;
    ImportProgress progress;
    auto reading = std::async(std::launch::async, [&] {
        return readInReaderProcess(readerOptions(), DrawingFile{file.fd(), file.bytes()}, sink, progress);
    });
    while (sink.entities == 0 && reading.wait_for(std::chrono::milliseconds(1)) == std::future_status::timeout) {
    }
    progress.cancel();
    const auto cancelled = std::chrono::steady_clock::now();
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::milliseconds(500));
    EXPECT_EQ(reading.get().failure.problem, ImportProblem::Cancelled);
    EXPECT_LT(sink.entities, 300'000u);
    EXPECT_TRUE(noChildLeft());
}

} // namespace
