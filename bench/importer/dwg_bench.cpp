// A DWG import of the largest DWG test drawing beside the package's bare
// read of the same file in node (dwg_bare_read.mjs, with the reader's node
// flags), and the reader's cold start alone: node and its WebAssembly
// module. Every run starts node anew; the runs of the three alternate, and
// the fastest of each is compared, the one a busy machine disturbed least.
// Prints one line: the ratio of import to bare read, its goal and the times.
//   dwg_bench [ROUNDS]
#include <importer/CadImporter.h>
#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>
#include <importer/ReaderProcess.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kGoal = 1.3;
constexpr const char* kDrawing = "24127_circles_128_lines.dwg";

fs::path fixtures()
{
    const char* env = std::getenv("VARNHOLT_DWG_FIXTURES");
    return env && *env ? fs::path(env) : fs::path(VARNHOLT_SOURCE_DIR) / "../shared/fixtures/dwg";
}

// Seconds one run of `work` takes; negative when it failed.
double timed(const std::function<bool()>& work)
{
    const auto start = Clock::now();
    const bool ok = work();
    const std::chrono::duration<double> took = Clock::now() - start;
    return ok ? took.count() : -1.0;
}

// node with the flags the reader gives it, on the bare-read script.
std::string nodeCommand(const std::string& drawing)
{
    const std::string app = std::string(VARNHOLT_BINARY_DIR) + "/app/";
    return "node --liftoff-only --wasm-max-mem-pages=24576 '" VARNHOLT_SOURCE_DIR "/bench/importer/dwg_bare_read.mjs' '"
           + app + kDwgPackagePath + "'" + (drawing.empty() ? "" : " '" + drawing + "'") + " >/dev/null 2>&1";
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string drawing = (fixtures() / kDrawing).string();
    if (!fs::exists(drawing)) {
        std::printf("dwg_import_ratio skipped: no %s (../shared/fixtures/dwg or VARNHOLT_DWG_FIXTURES)\n", kDrawing);
        return 0;
    }
    ReaderOptions dxf;
    dxf.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kReaderProgramName;
    ReaderOptions dwg = dxf;
    dwg.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kDwgReaderProgramName;
    dwg.memoryBytes = kDwgReaderMemoryBytes;
    CadImporter importer(readerProcessParser(dxf, dwg));

    // As the program imports: on a thread of its own, watched through its progress.
    auto import = [&] {
        ImportProgress progress;
        int rc = 1;
        std::thread([&] { rc = importer.import_hinges_from_cad_file(drawing, progress); }).join();
        return rc == 0;
    };
    auto bareRead = [&] { return std::system(nodeCommand(drawing).c_str()) == 0; };
    auto coldStart = [&] { return std::system(nodeCommand({}).c_str()) == 0; };
    double best[3] = {1e300, 1e300, 1e300};
    const std::function<bool()> runs[3] = {import, bareRead, coldStart};
    for (int round = 0; round < rounds; ++round)
        for (int k = 0; k < 3; ++k) {
            const int which = (round + k) % 3;
            const double seconds = timed(runs[which]);
            if (seconds < 0) {
                std::printf("dwg_import_ratio failed: run %d of %s gave no result\n", which, kDrawing);
                return 1;
            }
            best[which] = std::min(best[which], seconds);
        }
    const double ratio = best[0] / best[1];
    std::printf("dwg_import_ratio %.2f (goal <= %.2f): import %.2f s, package bare read %.2f s, reader cold start "
                "%.2f s [%s, fastest of %d]\n",
                ratio, kGoal, best[0], best[1], best[2], kDrawing, rounds);
    return ratio <= kGoal ? 0 : 1;
}
