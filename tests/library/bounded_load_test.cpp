// A library of 100,000 model files, and a folder of 20,000 files that are all
// hostile, load without a crash, in time that grows with the number of files
// like that of good ones.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/LibraryText.h>
#include <library/LockCoreFile.h>

#include <random>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {
constexpr int kLibraryFiles = 100000;
constexpr int kHostileFiles = 20000;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

const std::string kOutline = "<Pos X=\"0.00\" Y=\"0.00\" /><Pos X=\"100.00\" Y=\"0.00\" /><Pos X=\"100.00\" Y=\"35.50\" />";

std::string goodHinge(int i)
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n<Hinges Name=\"H" + std::to_string(i) +
           "\" Comments=\"\" Thick=\"3.00\"><Ptlist>" + kOutline +
           "</Ptlist><Holes><Hole X=\"10.00\" Y=\"17.75\" Diameter=\"5.00\" Depth=\"-12.50\" /></Holes></Hinges>\n";
}

std::string goodLockCore(int i)
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n<Lockcore Name=\"L" + std::to_string(i) +
           "\" Thick=\"24.00\"><PtlistTop>" + kOutline + "</PtlistTop><PtlistSide>" + kOutline +
           "</PtlistSide><TopHoles><Hole Type=\"1\" X=\"30.00\" Y=\"10.00\" Diameter=\"16.00\" Depth=\"5.00\" />"
           "</TopHoles><SideHoles /></Lockcore>\n";
}

std::string goodDoor(int i, int hinges)
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n<Model Name=\"D" + std::to_string(i) +
           "\" Length=\"2000.00\" Width=\"900.00\" Thick=\"45.00\"><Hinges Name=\"h" + std::to_string(i % hinges) +
           "\" ToUp=\"1\"><Pos X=\"200.00\" Y=\"0.00\" Z=\"0.00\" /></Hinges><LockCore Name=\"L1\" X=\"1000.00\" "
           "Y=\"0.00\" Z=\"0.00\" /></Model>\n";
}

std::string repeat(const std::string& unit, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += unit;
    return text;
}

std::string manyAttributes()
{
    std::string attributes;
    for (int a = 0; a < 1000; ++a)
        attributes += " a" + std::to_string(a) + "=\"1\"";
    return attributes;
}

// Hostile file number i, one of many kinds, each a few kilobytes at most.
void writeHostile(const TempLibrary& lib, int i)
{
    const std::string relative = "Hinges/x" + std::to_string(i) + ".xml";
    const std::string path = lib.path(relative);
    const std::string good = goodHinge(i);
    std::mt19937 random(static_cast<unsigned>(i));
    switch (i % 16) {
    case 0: lib.write(relative, good.substr(0, static_cast<std::size_t>(i) % good.rfind('>'))); break;
    case 1: {
        std::string junk(2048, '\0');
        for (char& c : junk)
            c = static_cast<char>(random());
        lib.write(relative, junk);
        break;
    }
    case 2: lib.write(relative, repeat("<a>", 2000)); break;
    case 3: lib.write(relative, repeat("<a>&#</a>#1;", 500)); break;
    case 4: lib.write(relative, "<Hinges" + manyAttributes() + "/>"); break;
    case 5: lib.write(relative, "<Hinges Thick=\"nan\"><Ptlist>" + kOutline + "</Ptlist></Hinges>"); break;
    case 6: lib.write(relative, ""); break;
    case 7: lib.write(relative, std::string("<Hinges>\0<Ptlist>", 17) + kOutline); break;
    case 8: std::filesystem::create_directory(path); break;
    case 9: mkfifo(path.c_str(), 0600); break;
    case 10: std::filesystem::create_symlink(path, path); break;
    case 11:
        lib.write(relative, good);
        std::filesystem::resize_file(path, kMaxLibraryFileSize + 1); // sparse: costs no disk
        break;
    case 12: lib.write(relative, "\xEF\xBB\xBF<Hinges Name=\"\xF0"); break;
    case 13: lib.write(relative, "<?xml version=\"1.0\"?><Hinges><Ptlist><Pos X=\"\xF0"); break;
    case 14: lib.write(relative, repeat("<!-- -->", 500) + "<Hinges>" + repeat("<a/>", 500)); break;
    default: lib.write(relative, "<Hinges><Ptlist>" + repeat("<Pos X=\"1e999\" Y=\"0\"/>", 100)); break;
    }
}

double loadHinges(const std::string& folder, std::size_t& loaded, std::size_t& skipped)
{
    GU_SharedList<GK_Hinges> hinges;
    std::vector<SkippedFile> passedOver;
    const double start = cpuSeconds();
    LoadAllHinges(folder, hinges, &passedOver);
    const double seconds = cpuSeconds() - start;
    loaded = hinges.count();
    skipped = passedOver.size();
    return seconds;
}
} // namespace

TEST(BoundedLoad, HostileFolderTakesAboutAsLongAsAGoodOne)
{
    std::size_t loaded = 0, skipped = 0;
    double good = 0;
    {
        TempLibrary lib(MemoryFolder());
        for (int i = 0; i < kHostileFiles; ++i)
            lib.write("Hinges/h" + std::to_string(i) + ".xml", goodHinge(i));
        good = loadHinges(lib.folder(), loaded, skipped);
        EXPECT_EQ(loaded, std::size_t(kHostileFiles));
    }
    TempLibrary lib(MemoryFolder());
    for (int i = 0; i < kHostileFiles; ++i)
        writeHostile(lib, i);
    const double hostile = loadHinges(lib.folder(), loaded, skipped);
    EXPECT_EQ(loaded, 0u);
    EXPECT_EQ(skipped, std::size_t(kHostileFiles));
    EXPECT_LT(hostile, 5 * good + 1.0);
    RecordProperty("good_ms", static_cast<int>(good * 1000));
    RecordProperty("hostile_ms", static_cast<int>(hostile * 1000));
}

TEST(BoundedLoad, HundredThousandModelFilesLoad)
{
    TempLibrary lib(MemoryFolder());
    const int each = kLibraryFiles / 3 + 1;
    for (int i = 0; i < each; ++i) {
        lib.write("Hinges/h" + std::to_string(i) + ".xml", goodHinge(i));
        lib.write("Lockcores/l" + std::to_string(i) + ".xml", goodLockCore(i));
        lib.write("DoorModel/d" + std::to_string(i) + ".xml", goodDoor(i, each));
    }
    ModelLibrary& library = lib.library;
    const double start = cpuSeconds();
    LoadAllHinges(lib.folder(), library.hinges, &library.skipped);
    LoadAllLockCores(lib.folder(), library.lockCores, &library.skipped);
    LoadAllDoorModels(lib.folder(), library.doors, library, &library.skipped);
    const double seconds = cpuSeconds() - start;
    EXPECT_TRUE(library.skipped.empty());
    ASSERT_EQ(library.doors.count(), std::size_t(each));
    // Every door found its hinge model, by a name in other letter case.
    for (std::size_t i = 0; i < library.doors.count(); i += 997)
        EXPECT_NE(library.doors[i]->GetHingesModel(), nullptr);

    // Per file about as long as the hinge folder alone.
    GU_SharedList<GK_Hinges> hingesAgain;
    const double hingesStart = cpuSeconds();
    LoadAllHinges(lib.folder(), hingesAgain);
    const double hingesSeconds = cpuSeconds() - hingesStart;
    EXPECT_LT(seconds / 3, 3 * hingesSeconds + 0.5);
    RecordProperty("library_ms", static_cast<int>(seconds * 1000));
}
