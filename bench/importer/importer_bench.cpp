// Import time of a large drawing, next to dxflib's bare parse of the same
// file and to ezdxf reading it. Times are wall-clock: the import parses in
// the reader process while this one decodes, so CPU time of this process
// alone would flatter it; the reader's processor time is given as a counter.
// On a busy machine run many interleaved repetitions and compare the
// minimums, the runs least disturbed:
//   importer_bench --benchmark_repetitions=15 --benchmark_enable_random_interleaving=true
#include "BenchDrawing.h"

#include <importer/CadImporter.h>
#include <importer/InProcessParser.h>
#include <importer/ReaderProcess.h>

#include <benchmark/benchmark.h>
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kSquares = 50'000; // four LINE entities each: 200,000 lines

const std::string& drawingPath()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "varnholt_bench_200k_lines.dxf";
        if (!std::filesystem::exists(p))
            writeSquaresDrawing(p.string(), kSquares);
        return p.string();
    }();
    return path;
}

void BM_DxflibBareParse(benchmark::State& state)
{
    const std::string& path = drawingPath();
    for (auto _ : state) {
        DL_CreationAdapter nothing;
        DL_Dxf dxf;
        benchmark::DoNotOptimize(dxf.in(path, &nothing));
    }
}
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_DxflibBareParse)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->ComputeStatistics("min", fastest);

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Counts the processor time of this process (all its threads) and of the
// reader processes it ran, per import.
void importHinges(benchmark::State& state, CadImporter& importer)
{
    const std::string& path = drawingPath();
    const double selfBefore = cpuMs(RUSAGE_SELF), readerBefore = cpuMs(RUSAGE_CHILDREN);
    for (auto _ : state) {
        if (importer.import_hinges_from_cad_file(path) != 0)
            state.SkipWithError("the drawing gave no hinge model");
        benchmark::DoNotOptimize(importer.get_hinges_model());
    }
    const auto perImport = static_cast<double>(state.iterations());
    const double reader = (cpuMs(RUSAGE_CHILDREN) - readerBefore) / perImport;
    state.counters["outlines"] = static_cast<double>(importer.report().outlines);
    state.counters["reader_cpu_ms"] = reader;
    state.counters["total_cpu_ms"] = (cpuMs(RUSAGE_SELF) - selfBefore) / perImport + reader;
}

// As the program imports: parsed in the reader process.
void BM_ImportHinges(benchmark::State& state)
{
    ReaderOptions options;
    options.program = std::string(VARNHOLT_BINARY_DIR) + "/app/" + kReaderProgramName;
    CadImporter importer(readerProcessParser(options));
    importHinges(state, importer);
}
BENCHMARK(BM_ImportHinges)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime()->ComputeStatistics("min", fastest);

// The same, with dxflib in this process.
void BM_ImportHingesInProcess(benchmark::State& state)
{
    CadImporter importer(inProcessParser());
    importHinges(state, importer);
}
BENCHMARK(BM_ImportHingesInProcess)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);

struct PipeCloser {
    void operator()(std::FILE* f) const { pclose(f); }
};

// Runs the ezdxf script, which times readfile itself (Python start-up and
// import of ezdxf are left out). The time reported is the script's CPU time,
// comparable with the CPU column of the other two on a busy machine; its
// wall-clock time is given as a counter.
void BM_EzdxfReadfile(benchmark::State& state)
{
    const std::string command = std::string("/usr/bin/python3 ") + EZDXF_SCRIPT + " " + drawingPath();
    for (auto _ : state) {
        std::unique_ptr<std::FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
        double cpuSeconds = 0.0, wallSeconds = 0.0;
        if (!pipe || std::fscanf(pipe.get(), "%lf %lf", &cpuSeconds, &wallSeconds) != 2) {
            state.SkipWithError("ezdxf could not be run");
            break;
        }
        state.SetIterationTime(cpuSeconds);
        state.counters["wall_ms"] = wallSeconds * 1000.0;
    }
}
BENCHMARK(BM_EzdxfReadfile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
