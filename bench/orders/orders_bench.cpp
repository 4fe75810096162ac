// An order of 1,000 rows of the sample library's doors, each in a size of
// its own, to its programs and job sheet, beside the same doors' programs
// written one by one as the window's program command writes them (both
// plans, then each program to its file). Target: the order in at most 1.2
// times the doors one by one.
#include <orders/JobSheet.h>
#include <orders/Order.h>
#include <orders/OrderPrograms.h>

#include <library/DoorModelFile.h>
#include <library/GbkText.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <library/ModelLibrary.h>
#include <machining/GcodeWriter.h>

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>
#include <unistd.h>

namespace {

constexpr int kRows = 1000;

struct Workshop {
    ModelLibrary library;
    MachineProfile profile;
    Order order;
    std::filesystem::path folder;

    Workshop()
    {
        const std::string samples = VARNHOLT_SOURCE_DIR "/samples/library/";
        LoadAllHinges(samples, library.hinges);
        LoadAllLockCores(samples, library.lockCores);
        LoadAllDoorModels(samples, library.doors, library);
        LoadKnifeFile(samples, library.knives);
        const char* models[] = {"标准室内门", "开槽平开门", "子母门大扇", "衣柜门"};
        OrderFile file;
        for (int i = 0; i < kRows; ++i) {
            OrderSheetRow row;
            row.line = i + 2;
            const int model = i % 4;
            row.cells[static_cast<int>(OrderColumn::Order)] = "B" + std::to_string(i / 10);
            row.cells[static_cast<int>(OrderColumn::DoorModel)] = Utf8ToGbk(models[model]).value();
            const int length = model == 3 ? 600 + i % 7 * 50 : 1900 + i % 9 * 50;
            const int width = model == 3 ? 400 + i % 3 * 25 : 800 + i % 5 * 25;
            row.cells[static_cast<int>(OrderColumn::Length)] = std::to_string(length);
            row.cells[static_cast<int>(OrderColumn::Width)] = std::to_string(width);
            row.cells[static_cast<int>(OrderColumn::Quantity)] = std::to_string(1 + i % 5);
            file.rows.push_back(std::move(row));
        }
        order = ResolveOrder(file, library);
        order.name = "bench";
        folder = std::filesystem::temp_directory_path() / ("varnholt-orders-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "order");
        std::filesystem::create_directories(folder / "doors");
    }
    ~Workshop() { std::filesystem::remove_all(folder); }
};

Workshop& workshop()
{
    static Workshop w;
    return w;
}

void BM_OrderToProgramsAndSheet(benchmark::State& state)
{
    Workshop& w = workshop();
    const std::string folder = (w.folder / "order").string();
    for (auto _ : state) {
        const OrderRunSummary summary = WriteOrderPrograms(w.order, w.library.knives, w.profile, folder);
        QString error;
        if (!summary.failure.empty() ||
            !WriteJobSheet(QString::fromStdString(folder + "/bench.pdf"), w.order, summary.rows, &error))
            state.SkipWithError("the order was not written");
        benchmark::DoNotOptimize(summary.totalSeconds);
    }
}
BENCHMARK(BM_OrderToProgramsAndSheet)->Unit(benchmark::kMillisecond);

void BM_DoorsOneByOne(benchmark::State& state)
{
    Workshop& w = workshop();
    const std::string folder = (w.folder / "doors").string() + "/";
    for (auto _ : state) {
        int n = 0;
        for (const OrderRow& row : w.order.rows) {
            if (!row.usable())
                continue;
            const MachiningPlan hinges = PlanProgram(ProgramKind::Hinges, *row.door, w.library.knives, w.profile);
            const MachiningPlan lock = PlanProgram(ProgramKind::Lock, *row.door, w.library.knives, w.profile);
            for (const MachiningPlan* plan : {&hinges, &lock})
                if (plan->status == PlanStatus::Ready &&
                    !SaveGcodeFile(*plan, w.profile, folder + std::to_string(n++) + ".NC"))
                    state.SkipWithError("a program was not written");
        }
    }
}
BENCHMARK(BM_DoorsOneByOne)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    // Both sides wait for the disk to flush each file, which the machine's
    // other work delays unevenly: repetitions interleaved spread that over
    // both. A flag given on the command line still has the last word.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
