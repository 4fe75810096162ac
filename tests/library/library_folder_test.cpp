// Start-up must load what it can and survive anything else in the folders.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string hingeFile(const std::string& name)
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n<Hinges Name=\"" + name +
           "\"><Ptlist><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Ptlist></Hinges>\n";
}

std::vector<std::string> names(const ModelLibrary& library)
{
    std::vector<std::string> result;
    for (const GK_Hinges* hinge : library.hinges)
        result.push_back(hinge->GetName());
    return result;
}
} // namespace

TEST(LibraryFolder, LoadsMatchingFilesSortedByName)
{
    TempLibrary lib;
    lib.write("Hinges/b.xml", hingeFile("b"));
    lib.write("Hinges/a.xml", hingeFile("a"));
    lib.write("Hinges/.xml", hingeFile("empty"));
    lib.write("Hinges/c.XML", hingeFile("upper case suffix"));
    lib.write("Hinges/d.xml.bak", hingeFile("other suffix"));
    lib.write("Hinges/.e.xml.42-0.part", hingeFile("leftover"));
    lib.write("Hinges/f.xml", "<Model Name=\"crlf\">\r\n<Ptlist>\r<Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/>"
                              "<Pos X=\"1\" Y=\"1\"/></Ptlist></Model>\r\n");
    std::filesystem::create_directory(lib.path("Hinges/g.xml"));
    LoadAllHinges(lib.folder(), lib.library.hinges);
    // "*.xml" matches in any letter case, as on the file systems the
    // library may have been copied from.
    EXPECT_EQ(names(lib.library), (std::vector<std::string>{"empty", "a", "b", "upper case suffix", "crlf"}));

    // The list is not emptied first.
    LoadAllHinges(lib.folder(), lib.library.hinges);
    EXPECT_EQ(lib.library.hinges.count(), 10u);
}

TEST(LibraryFolder, HostileFilesAreSkippedWhileTheRestLoads)
{
    TempLibrary lib;
    lib.write("Hinges/good.xml", hingeFile("good"));
    lib.write("Hinges/broken.xml", hingeFile("broken").substr(0, 90));
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    lib.write("Hinges/junk.xml", junk);
    std::string deep = "<Hinges>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    lib.write("Hinges/deep.xml", deep);
    std::string del; // 0x7F opens an element for the parser
    std::string swallowed; // the reference runs on to the ";" over the end tag
    for (int i = 0; i < 200000; ++i) {
        del += "<\x7F>";
        swallowed += "<a>&#</a>#1;";
    }
    lib.write("Hinges/del.xml", del);
    lib.write("Hinges/swallowed.xml", swallowed);
    lib.write("Hinges/nan.xml", "<Hinges><Ptlist><Pos X=\"nan\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Ptlist></Hinges>");
    lib.write("Hinges/huge.xml", hingeFile("huge"));
    std::filesystem::resize_file(lib.path("Hinges/huge.xml"), 300u << 20); // sparse: costs no disk
    ASSERT_EQ(mkfifo(lib.path("Hinges/pipe.xml").c_str(), 0600), 0);
    lib.write("Hinges/nul.xml", std::string("<Hinges>\0<Ptlist>", 17));

    LoadAllHinges(lib.folder(), lib.library.hinges);
    EXPECT_EQ(names(lib.library), std::vector<std::string>{"good"});

    lib.write("Lockcores/deep.xml", deep);
    lib.write("DoorModel/deep.xml", deep);
    lib.write("HingesKnife.xml", deep);
    LoadAllLockCores(lib.folder(), lib.library.lockCores);
    LoadAllDoorModels(lib.folder(), lib.library.doors, lib.library);
    LoadKnifeFile(lib.folder(), lib.library.knives);
    EXPECT_TRUE(lib.library.lockCores.empty());
    EXPECT_TRUE(lib.library.doors.empty());
    EXPECT_TRUE(lib.library.knives.empty());
}

TEST(LibraryFolder, MissingFolderAddsNothing)
{
    TempLibrary lib;
    std::filesystem::remove(lib.path("DoorModel"));
    LoadAllDoorModels(lib.folder(), lib.library.doors, lib.library);
    EXPECT_TRUE(lib.library.doors.empty());
    EXPECT_TRUE(ListLibraryFiles(lib.path("nowhere/")).empty());
}

TEST(LibraryFolder, FullStartUpResolvesDoorsAgainstLoadedModels)
{
    TempLibrary lib;
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("H1");
    std::shared_ptr<GK_LockCore> lockCore = api_gk_make_lockcore({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    lockCore->SetName("L1");
    auto door = api_gk_make_door_with_hinges("D1", "", 2000, 900, 40);
    door->SetHingesModel(hinge);
    door->SetLockCoreModel(lockCore);
    ASSERT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
    ASSERT_TRUE(SaveLockCoreFile(lockCore.get(), lib.context()));
    ASSERT_TRUE(SaveDoorModelFile(door.get(), lib.context()));

    LoadAllHinges(lib.folder(), lib.library.hinges);
    LoadAllLockCores(lib.folder(), lib.library.lockCores);
    LoadAllDoorModels(lib.folder(), lib.library.doors, lib.library);
    ASSERT_EQ(lib.library.doors.count(), 1u);
    EXPECT_EQ(lib.library.doors[0]->GetHingesModel(), lib.library.hinges[0]);
    EXPECT_EQ(lib.library.doors[0]->GetLockCoreModel(), lib.library.lockCores[0]);
}
