// Import time of a large drawing, next to dxflib's bare parse of the same
// file and to ezdxf reading it.
#include "BenchDrawing.h"

#include <importer/CadImporter.h>

#include <benchmark/benchmark.h>
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

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
BENCHMARK(BM_DxflibBareParse)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportHinges(benchmark::State& state)
{
    const std::string& path = drawingPath();
    CadImporter importer;
    for (auto _ : state) {
        if (importer.import_hinges_from_cad_file(path) != 0)
            state.SkipWithError("the drawing gave no hinge model");
        benchmark::DoNotOptimize(importer.get_hinges_model());
    }
    state.counters["outlines"] = static_cast<double>(importer.report().outlines);
}
BENCHMARK(BM_ImportHinges)->Unit(benchmark::kMillisecond)->Iterations(5);

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
