// Start-up to a shown main window on a library of 10,000 hinge, 10,000
// lock-core and 10,000 door models, beside the bare load of the same library
// into the four lists. The difference is what the window, the panes and their
// fills add on top of reading the files.
#include <library/DoorModelFile.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>
#include <app/MainFrame.h>
#include <library/ModelLibrary.h>
#include <app/VarnholtApp.h>

#include <QDir>
#include <QElapsedTimer>
#include <QWindow>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kModelsPerKind = 10000;
constexpr int kTools = 8;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// A scratch library folder. One file of each kind is written
// by the library's writers under the name "MODEL"; the others are that text
// under their own names (and, for doors, naming models spread over the lists).
class LargeLibrary {
public:
    LargeLibrary()
    {
        const SaveContext here{folder()};
        const QDir root(m_dir.path());
        for (const char* folder : {"Hinges", "Lockcores", "DoorModel"})
            root.mkpath(QString::fromLatin1(folder));
        ModelLibrary library;
        std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges(GU_Pt_List{{0, 0, 0}, {100, 0, 0}, {100, 24, 0}, {0, 24, 0}});
        hinge->SetName("MODEL");
        for (double x : {15.0, 50.0, 85.0})
            hinge->AddHoleToList(api_gk_make_circle_hole({x, 12, 0}, 4.5, 3).release());
        std::shared_ptr<GK_LockCore> lock = api_gk_make_lockcore(GU_Pt_List{{0, 0, 0}, {24, 0, 0}, {24, 240, 0}, {0, 240, 0}},
                                                                 GU_Pt_List{{0, 0, 0}, {60, 0, 0}, {60, 180, 0}, {0, 180, 0}});
        lock->SetName("MODEL");
        lock->GetSideList().add_tail(api_gk_make_circle_hole({30, 55, 0}, 22, 40).release());
        auto door = api_gk_make_door_with_hinges("MODEL", "door", 2100, 900, 40);
        door->SetHingesModel(hinge);
        door->SetLockCoreModel(lock);
        door->SetHingesPos({250, 0, 0});
        door->SetHingesPos({1850, 0, 0});
        door->SetLockCorePos({1000, 0, 0});
        const QByteArray hingeText = readAll(QString::fromStdString(SaveHingesFile(hinge.get(), here).path));
        const QByteArray lockText = readAll(QString::fromStdString(SaveLockCoreFile(lock.get(), here).path));
        const QString doorPath = QString::fromStdString(SaveDoorModelFile(door.get(), here).path);
        const QByteArray doorText = readAll(doorPath);
        for (int i = 0; i < kTools; ++i) {
            auto tool = std::make_unique<KnifeInfo>();
            tool->ID = i + 1;
            tool->Diameter = 4 + i;
            library.knives.add_tail(std::move(tool));
        }
        SaveKnifeFile(library.knives, here);

        for (int i = 0; i < kModelsPerKind; ++i) {
            const QByteArray n = QByteArray::number(i);
            writeAll(root.filePath("Hinges/H" + n + ".xml"), QByteArray(hingeText).replace("MODEL", "H" + n));
            writeAll(root.filePath("Lockcores/L" + n + ".xml"), QByteArray(lockText).replace("MODEL", "L" + n));
            QByteArray text = doorText;
            text.replace("Name=\"MODEL\" Comments", "Name=\"D" + n + "\" Comments");
            text.replace("Name=\"MODEL\">", "Name=\"H" + QByteArray::number((i * 7) % kModelsPerKind) + "\">");
            text.replace("Name=\"MODEL\"", "Name=\"L" + QByteArray::number((i * 13) % kModelsPerKind) + "\"");
            writeAll(root.filePath("DoorModel/D" + n + ".xml"), text);
        }
        QFile::remove(root.filePath("Hinges/MODEL.xml"));
        QFile::remove(root.filePath("Lockcores/MODEL.xml"));
        QFile::remove(doorPath);
    }

    std::string folder() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

LargeLibrary& largeLibrary()
{
    static LargeLibrary library;
    return library;
}

// Runs the events until the window is shown. QTest's own wait sleeps ten
// milliseconds between passes, which would count up to that much of sleep
// as start-up.
bool waitUntilExposed(QWidget* window)
{
    QElapsedTimer waited;
    waited.start();
    while (!window->windowHandle() || !window->windowHandle()->isExposed()) {
        if (waited.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

void BM_LoadLibraryOnly(benchmark::State& state)
{
    const std::string folder = largeLibrary().folder();
    for (auto _ : state) {
        ModelLibrary library;
        LoadAllHinges(folder, library.hinges);
        LoadAllLockCores(folder, library.lockCores);
        LoadAllDoorModels(folder, library.doors, library);
        LoadKnifeFile(folder, library.knives);
        benchmark::DoNotOptimize(library.doors.count());
    }
}

void BM_StartUpToShownWindow(benchmark::State& state)
{
    const std::string folder = largeLibrary().folder();
    for (auto _ : state) {
        auto app = std::make_unique<CVarnholtApp>(folder);
        app->InitInstance({});
        if (!waitUntilExposed(app->mainFrame()))
            state.SkipWithError("the window was never shown");
        benchmark::DoNotOptimize(app->mainFrame()->library().models().doors.count());
        state.PauseTiming();
        app->mainFrame()->close();
        app.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_LoadLibraryOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(3);
