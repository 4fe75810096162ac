// Start-up load of a large library (10,000 hinge, 10,000 lock-core and 10,000
// door files and a 1,000-tool table) beside TinyXML's own parse of the same
// files. The ratio of the two times is the cost of the library code on top of
// the parser (target: at most 1.3).
//
// The same load with one worst-case file of every kind at the size limit in
// the model folders besides, and the tool table's worst case in place of the
// table: per byte, the worst files should cost no more than the ordinary ones
// (compare the time each adds with the megabytes each brings, reported as
// counters).
#include <library/DoorModelFile.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>
#include <library/ModelLibrary.h>
#include <tests/support/WorstCaseFiles.h>

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <tinyxml.h>

namespace {
constexpr int kModelsPerKind = 10000;
constexpr int kTools = 1000;

std::string modelName(const char* prefix, int i)
{
    return std::string(prefix) + std::to_string(i);
}

std::unique_ptr<GK_Hinges> makeHinge(const std::string& name)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 35.5, 0}, {60, 40, 0}, {0, 35.5, 0}});
    hinge->SetName(name);
    hinge->SetComments("\xBA\xCF\xD2\xB3 model");
    hinge->SetThick(3);
    for (int h = 0; h < 4; ++h)
        hinge->AddHoleToList(api_gk_make_circle_hole({10.0 + 20 * h, 17.75, 0}, 5, -12.5).release());
    return hinge;
}

std::unique_ptr<GK_LockCore> makeLockCore(const std::string& name)
{
    auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {60, 0, 0}, {60, 20, 0}, {0, 20, 0}},
                                         {{0, 0, 0}, {24, 0, 0}, {24, 20, 0}, {0, 20, 0}});
    lockCore->SetName(name);
    lockCore->SetComments("lock core");
    lockCore->SetThick(24);
    lockCore->GetTopList().add_tail(api_gk_make_circle_hole({30, 10, 0}, 16, 5));
    lockCore->GetTopList().add_tail(api_gk_make_hole({{1, 1, 0}, {3, 1, 0}, {3, 3, 0}, {1, 3, 0}}, 5));
    lockCore->GetSideList().add_tail(api_gk_make_circle_hole({12, 10, 0}, 8, 20));
    return lockCore;
}

constexpr const char* kHingeToken = "@HINGE@";
constexpr const char* kLockToken = "@LOCK@";
constexpr const char* kDoorToken = "@DOOR@";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string replaceAll(std::string text, const std::string& token, const std::string& value)
{
    for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
        text.replace(at, token.size(), value);
    return text;
}

// A scratch library folder holding the generated library, removed at exit.
// One model of each kind is written by the program's own writers under a
// placeholder name; the other files are copies of it under their own names,
// which spares 30,000 synced saves.
class GeneratedLibrary {
public:
    GeneratedLibrary()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnholt-bench-XXXXXX").string();
        m_root = std::string(mkdtemp(pattern.data())) + "/";
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            std::filesystem::create_directory(m_root + folder);
        writeModels();
        writeTools();
        for (const char* folder : {kHingesFolder, kLockCoresFolder, kDoorModelFolder})
            for (std::string& path : ListLibraryFiles(m_root + folder))
                m_files.push_back(std::move(path));
        m_files.push_back(m_root + "HingesKnife.xml");
        for (const std::string& path : m_files)
            m_ordinaryBytes += std::filesystem::file_size(path);
        prepareWorstCases();
    }

    ~GeneratedLibrary() { std::filesystem::remove_all(m_root); }

    const std::string& folder() const { return m_root; }
    const std::vector<std::string>& files() const { return m_files; }
    double ordinaryMegabytes() const { return static_cast<double>(m_ordinaryBytes) / (1 << 20); }
    double worstMegabytes() const { return static_cast<double>(m_worstBytes) / (1 << 20); }
    double displacedMegabytes() const { return static_cast<double>(m_displacedBytes) / (1 << 20); }

    // Moves the worst-case files into the model folders, or out of them.
    void placeWorstCases(bool inFolders)
    {
        if (inFolders == m_worstPlaced)
            return;
        m_worstPlaced = inFolders;
        for (const WorstFile& worst : m_worst) {
            if (inFolders) {
                if (!worst.displacedAside.empty())
                    std::filesystem::rename(worst.placed, worst.displacedAside);
                std::filesystem::rename(worst.aside, worst.placed);
            } else {
                std::filesystem::rename(worst.placed, worst.aside);
                if (!worst.displacedAside.empty())
                    std::filesystem::rename(worst.displacedAside, worst.placed);
            }
        }
    }

private:
    // The model files, copied from one file of each kind that the writers
    // wrote.
    void writeModels() const
    {
        const SaveContext here{m_root};
        ModelLibrary library;
        library.hinges.add_tail(makeHinge(kHingeToken));
        library.lockCores.add_tail(makeLockCore(kLockToken));
        auto door = api_gk_make_door_with_hinges(kDoorToken, "door", 2000, 900, 45);
        door->SetHingesModel(library.hinges.share(0));
        door->SetLockCoreModel(library.lockCores.share(0));
        door->SetHingesUp(1);
        door->SetHingesPos({200, 0, 0});
        door->SetHingesPos({1000, 0, 0});
        door->SetHingesPos({1800, 0, 0});
        door->SetLockCorePos({1000, 0, 0});
        const std::string hingeText = readFile(SaveHingesFile(library.hinges[0], here).path);
        const std::string lockText = readFile(SaveLockCoreFile(library.lockCores[0], here).path);
        const SaveResult doorFile = SaveDoorModelFile(door.get(), here);
        const std::string doorText = readFile(doorFile.path);
        std::filesystem::remove(doorFile.path);
        std::filesystem::remove(m_root + kHingesFolder + kHingeToken + ".xml");
        std::filesystem::remove(m_root + kLockCoresFolder + kLockToken + ".xml");

        for (int i = 0; i < kModelsPerKind; ++i) {
            const std::string hinge = modelName("Hinge-", i);
            const std::string lock = modelName("Lock-", i);
            const std::string doorName = modelName("Door-", i);
            writeFile(kHingesFolder, hinge, replaceAll(hingeText, kHingeToken, hinge));
            writeFile(kLockCoresFolder, lock, replaceAll(lockText, kLockToken, lock));
            // Doors refer to models spread over the whole lists, in other case.
            std::string text = replaceAll(doorText, kDoorToken, doorName);
            text = replaceAll(text, kHingeToken, modelName("HINGE-", (i * 7919) % kModelsPerKind));
            text = replaceAll(text, kLockToken, modelName("lock-", (i * 104729) % kModelsPerKind));
            writeFile(kDoorModelFolder, doorName, text);
        }
    }

    void writeTools() const
    {
        GU_OwnedList<KnifeInfo> tools;
        for (int i = 0; i < kTools; ++i) {
            auto knife = std::make_unique<KnifeInfo>();
            knife->ID = i;
            knife->Diameter = 5 + i % 30;
            knife->Vel = 6000;
            knife->AirForward = "M" + std::to_string(i);
            tools.add_tail(std::move(knife));
        }
        SaveKnifeFile(tools, SaveContext{m_root});
    }

    // The worst cases wait in a folder of their own until a benchmark moves
    // them in. The tool table is one file: its worst case takes the ordinary
    // table's place, which meanwhile waits aside.
    void prepareWorstCases()
    {
        const std::string aside = m_root + "aside/";
        std::filesystem::create_directory(aside);
        for (const worst_case::Case& worst : worst_case::kCases) {
            const std::string file = worst.file;
            const std::size_t slash = file.find('/');
            WorstFile placed{m_root + file, aside + worst.name + ".xml", ""};
            if (slash == std::string::npos)
                placed.displacedAside = aside + "ordinary-" + file;
            else
                placed.placed = m_root + file.substr(0, slash + 1) + "worst-" + worst.name + ".xml";
            std::ofstream(placed.aside, std::ios::binary) << worst.make(kMaxLibraryFileSize);
            m_worstBytes += std::filesystem::file_size(placed.aside);
            if (!placed.displacedAside.empty())
                m_displacedBytes += std::filesystem::file_size(placed.placed);
            m_worst.push_back(std::move(placed));
        }
    }

    void writeFile(const char* folder, const std::string& name, const std::string& text) const
    {
        std::ofstream(m_root + folder + name + ".xml", std::ios::binary) << text;
    }

    struct WorstFile {
        std::string placed;
        std::string aside;
        std::string displacedAside; // where the ordinary file it replaces waits, if any
    };

    std::string m_root; // with a trailing separator
    std::vector<std::string> m_files;
    std::vector<WorstFile> m_worst;
    std::uintmax_t m_ordinaryBytes = 0;
    std::uintmax_t m_worstBytes = 0;
    std::uintmax_t m_displacedBytes = 0;
    bool m_worstPlaced = false;
};

GeneratedLibrary& generated()
{
    static GeneratedLibrary library;
    return library;
}

// Loads the whole library as start-up does; with worstCases, the worst-case
// files lie in the model folders besides.
void loadWholeLibrary(benchmark::State& state, bool worstCases)
{
    GeneratedLibrary& generatedLibrary = generated();
    generatedLibrary.placeWorstCases(worstCases);
    const std::string& folder = generatedLibrary.folder();
    std::size_t skipped = 0;
    for (auto _ : state) {
        auto library = std::make_unique<ModelLibrary>();
        LoadAllHinges(folder, library->hinges, &library->skipped);
        LoadAllLockCores(folder, library->lockCores, &library->skipped);
        LoadAllDoorModels(folder, library->doors, *library, &library->skipped);
        LoadKnifeFile(folder, library->knives, &library->skipped);
        benchmark::DoNotOptimize(library->doors.count());
        if (library->hinges.count() < kModelsPerKind || !library->doors[0]->GetHingesModel() ||
            library->knives.empty() == !worstCases)
            state.SkipWithError("the generated library did not load whole");
        skipped = library->skipped.size();
        state.PauseTiming(); // freeing the models is not part of the load
        library.reset();
        state.ResumeTiming();
    }
    generatedLibrary.placeWorstCases(false);
    state.counters["ordinary_MB"] =
        generatedLibrary.ordinaryMegabytes() - (worstCases ? generatedLibrary.displacedMegabytes() : 0.0);
    state.counters["worst_MB"] = worstCases ? generatedLibrary.worstMegabytes() : 0.0;
    state.counters["skipped"] = static_cast<double>(skipped);
}

void BM_LoadWholeLibrary(benchmark::State& state)
{
    loadWholeLibrary(state, false);
}

void BM_LoadWholeLibraryWithWorstCases(benchmark::State& state)
{
    loadWholeLibrary(state, true);
}

void BM_TinyXmlLoadFileAlone(benchmark::State& state)
{
    const std::vector<std::string>& files = generated().files();
    for (auto _ : state) {
        for (const std::string& path : files) {
            TiXmlDocument document;
            benchmark::DoNotOptimize(document.LoadFile(path));
        }
    }
}
} // namespace

BENCHMARK(BM_TinyXmlLoadFileAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadWholeLibrary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadWholeLibraryWithWorstCases)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TinyXmlLoadFileAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadWholeLibrary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadWholeLibraryWithWorstCases)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
