// Imports mutated copies of the DWG test drawings through the real DWG
// reader process: cut short, bytes flipped, chunks swapped, huge numbers
// written over them. Mutant i comes from drawing i (of the sorted folder)
// and the seed alone, so any one can be made again. Each import must end
// with a model or a reason within the reader's time limit and leave no
// process behind; a mutant that does not is kept in the findings folder.
//   dwg_mutate FIXTURES FINDINGS FIRST COUNT STEP SEED
// imports mutants FIRST, FIRST+STEP, ... (COUNT of them) and prints a summary.
#include <importer/CadImporter.h>
#include <importer/ReaderProcess.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// The reader's own memory, with shorter time limits than the program's so
// that a drawing that never ends costs seconds, not minutes.
constexpr int kCpuSeconds = 10;
constexpr int kWallSeconds = 15;
constexpr auto kGrace = std::chrono::seconds(3);

enum class Mutation { Cut, Flip, Swap, HugeNumbers };
const char* const kMutationNames[] = {"cut", "flip", "swap", "huge"};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string mutate(std::string bytes, Mutation kind, std::mt19937_64& random)
{
    auto at = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    switch (kind) {
    case Mutation::Cut:
        bytes.resize(at(bytes.size()));
        break;
    case Mutation::Flip:
        for (int n = 1 + static_cast<int>(random() % 64); n > 0; --n)
            bytes[at(bytes.size())] ^= static_cast<char>(1 + random() % 255);
        break;
    case Mutation::Swap: {
        const std::size_t length = 1 + random() % std::max<std::size_t>(1, bytes.size() / 8);
        const std::size_t a = at(bytes.size() - length + 1), b = at(bytes.size() - length + 1);
        const std::string chunk = bytes.substr(a, length);
        bytes.replace(a, length, bytes.substr(b, length));
        bytes.replace(b, length, chunk);
        break;
    }
    case Mutation::HugeNumbers: {
        static const std::uint32_t kHuge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x40000000u, 0x00FFFFFFu, 0x80000000u};
        for (int n = 1 + static_cast<int>(random() % 16); n > 0; --n) {
            const std::uint32_t value = kHuge[random() % std::size(kHuge)];
            const std::size_t p = at(bytes.size() - 3);
            for (int k = 0; k < 4; ++k)
                bytes[p + k] = static_cast<char>(value >> (8 * k));
        }
        break;
    }
    }
    return bytes;
}

// Processes this one started that are still there, reaped or not.
bool childrenLeft()
{
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        std::string pid;
        if (children >> pid)
            return true;
    }
    return false;
}

// The DWG drawings of the folder, by name.
std::vector<fs::path> dwgDrawings(const fs::path& folder)
{
    std::vector<fs::path> drawings;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".dwg")
            drawings.push_back(entry.path());
    std::sort(drawings.begin(), drawings.end());
    return drawings;
}

// The reader processes of the build, the DWG reader with the short limits.
DrawingParser buildReaders()
{
    ReaderOptions dxf;
    dxf.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kReaderProgramName;
    ReaderOptions dwg = dxf;
    dwg.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kDwgReaderProgramName;
    dwg.memoryBytes = kDwgReaderMemoryBytes;
    dwg.cpuSeconds = kCpuSeconds;
    dwg.wallSeconds = kWallSeconds;
    return readerProcessParser(dxf, dwg);
}

// What the imports came to: how many ended with each problem (0: a model),
// how many went wrong, and the slowest import.
struct Tally {
    std::map<int, long> outcomes;
    long failures = 0;
    double slowest = 0.0;
};

// Imports the mutant at path; what is wrong with how it ended, or nothing.
std::string importMutant(CadImporter& importer, const fs::path& path, Tally& tally)
{
    const auto start = Clock::now();
    const int rc = importer.import_hinges_from_cad_file(path.string());
    const std::chrono::duration<double> took = Clock::now() - start;
    tally.slowest = std::max(tally.slowest, took.count());
    const ImportReport& report = importer.report();
    ++tally.outcomes[rc == 0 ? 0 : static_cast<int>(report.failure.problem)];
    std::string fault;
    if ((rc == 0) != (importer.get_hinges_model() != nullptr) || (rc != 0) == !report.failure)
        fault = "neither a model nor a reason";
    else if (took > std::chrono::seconds(kWallSeconds) + kGrace)
        fault = "took " + std::to_string(took.count()) + " s";
    else if (childrenLeft())
        fault = "left a process behind";
    importer.clear_all_model();
    return fault;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s FIXTURES FINDINGS FIRST COUNT STEP SEED\n", argv[0]);
        return 2;
    }
    const std::vector<fs::path> drawings = dwgDrawings(argv[1]);
    const fs::path findings = argv[2];
    const long first = std::stol(argv[3]), count = std::stol(argv[4]), step = std::stol(argv[5]);
    const unsigned long long seed = std::stoull(argv[6]);
    if (drawings.empty() || count < 0 || step < 1)
        return 2;
    const fs::path scratch = fs::temp_directory_path() / ("varnholt_dwg_mutants_" + std::to_string(::getpid()));
    fs::create_directories(scratch);

    CadImporter importer(buildReaders());
    Tally tally;
    for (long n = 0; n < count; ++n) {
        const long index = first + n * step;
        const fs::path& source = drawings[static_cast<std::size_t>(index) % drawings.size()];
        std::mt19937_64 random(seed * 1'000'003 + static_cast<unsigned long long>(index));
        const auto kind = static_cast<Mutation>(random() % 4);
        const std::string name = std::to_string(index) + "_" + kMutationNames[int(kind)] + "_" + source.filename().string();
        const fs::path path = scratch / name;
        std::ofstream(path, std::ios::binary) << mutate(readFile(source), kind, random);
        const std::string fault = importMutant(importer, path, tally);
        if (!fault.empty()) {
            ++tally.failures;
            fs::create_directories(findings);
            fs::copy_file(path, findings / name, fs::copy_options::overwrite_existing);
            std::printf("mutant %s: %s (kept in %s)\n", name.c_str(), fault.c_str(), findings.c_str());
        }
        fs::remove(path);
    }
    fs::remove_all(scratch);

    std::printf("%ld mutants from %zu drawings (seed %llu): %ld models", count, drawings.size(), seed,
                tally.outcomes[0]);
    for (const auto& [problem, n] : tally.outcomes)
        if (problem != 0)
            std::printf(", %ld ImportProblem %d", n, problem);
    std::printf("; slowest %.1f s; %ld faults\n", tally.slowest, tally.failures);
    return tally.failures == 0 ? 0 : 1;
}
