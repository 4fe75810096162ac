// Two instances of the program on one library folder (a workshop's shared
// network folder): neither overwrites the other's change blindly.
#include "TempLibrary.h"

#include <library/HingesFile.h>
#include <library/KnifeFile.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
// One running instance: its library in memory, read from the shared folder.
struct Instance {
    std::string folder;
    ModelLibrary library;

    void load()
    {
        library.clear();
        LoadAllHinges(folder, library.hinges, nullptr, &library.files);
        LoadKnifeFile(folder, library.knives, nullptr, &library.files);
    }
    SaveResult saveTable(OnDiskChange onChange = OnDiskChange::Refuse)
    {
        return SaveKnifeFile(library.knives, SaveContext{folder, &library.files, onChange});
    }
    SaveResult saveHinge(const std::string& name, double thick, OnDiskChange onChange = OnDiskChange::Refuse)
    {
        return SaveHingesFile(SmallHinge(name, thick).get(), SaveContext{folder, &library.files, onChange});
    }
};

// Sets the file's modification time back to what it was, as a coarse clock
// on a share might show it.
void keepTimeStamp(const std::string& path, const struct stat& before)
{
    const timespec times[2] = {before.st_atim, before.st_mtim};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}
} // namespace

TEST(SharedFolder, AToolTableChangedByTheOtherInstanceIsNotOverwrittenBlindly)
{
    TempLibrary lib;
    lib.write("HingesKnife.xml", "<AllKnife><Knife ID=\"1\" Diameter=\"5.00\"/></AllKnife>");
    Instance a{lib.folder()}, b{lib.folder()};
    a.load();
    b.load();

    a.library.knives[0]->Diameter = 6;
    ASSERT_TRUE(a.saveTable());
    const std::string fromA = lib.read("HingesKnife.xml");

    b.library.knives[0]->Diameter = 7;
    const SaveResult refused = b.saveTable();
    EXPECT_EQ(refused.problem, SaveProblem::ChangedOnDisk);
    EXPECT_EQ(refused.path, lib.path("HingesKnife.xml"));
    EXPECT_EQ(lib.read("HingesKnife.xml"), fromA);

    // B chooses to overwrite; now A is the one told.
    ASSERT_TRUE(b.saveTable(OnDiskChange::Overwrite));
    EXPECT_EQ(a.saveTable().problem, SaveProblem::ChangedOnDisk);
    // A chooses to read the table again and sees B's change.
    a.load();
    EXPECT_EQ(a.library.knives[0]->Diameter, 7);
    EXPECT_TRUE(a.saveTable());
}

// Contents count, not time stamps: a change of the same size under the same
// time stamp is noticed, a file only touched is no change.
TEST(SharedFolder, TheToolTableIsComparedByContent)
{
    TempLibrary lib;
    lib.write("HingesKnife.xml", "<AllKnife><Knife ID=\"1\"/></AllKnife>");
    Instance a{lib.folder()};
    a.load();
    struct stat before {};
    stat(lib.path("HingesKnife.xml").c_str(), &before);
    lib.write("HingesKnife.xml", "<AllKnife><Knife ID=\"2\"/></AllKnife>");
    keepTimeStamp(lib.path("HingesKnife.xml"), before);
    EXPECT_EQ(a.saveTable().problem, SaveProblem::ChangedOnDisk);

    a.load();
    utimensat(AT_FDCWD, lib.path("HingesKnife.xml").c_str(), nullptr, 0);
    EXPECT_TRUE(a.saveTable());

    // A table another instance created where there was none is a change too.
    Instance c{lib.folder()};
    std::filesystem::remove(lib.path("HingesKnife.xml"));
    c.load();
    ASSERT_TRUE(a.saveTable(OnDiskChange::Overwrite));
    EXPECT_EQ(c.saveTable().problem, SaveProblem::ChangedOnDisk);
}

TEST(SharedFolder, AModelFileAddedOrChangedByTheOtherInstance)
{
    TempLibrary lib;
    Instance a{lib.folder()}, b{lib.folder()};
    a.load();
    b.load();

    ASSERT_TRUE(a.saveHinge("H", 1));
    // B never saw "H": its file is another instance's addition.
    EXPECT_EQ(b.saveHinge("H", 2).problem, SaveProblem::ChangedOnDisk);
    EXPECT_NE(lib.read("Hinges/H.xml").find("Thick=\"1.00\""), std::string::npos);

    // Read again ("刷新"), B has A's model and may replace it.
    b.load();
    ASSERT_EQ(b.library.hinges.count(), 1u);
    EXPECT_EQ(b.library.hinges[0]->GetThick(), 1);
    ASSERT_TRUE(b.saveHinge("H", 2));
    EXPECT_EQ(a.saveHinge("H", 3).problem, SaveProblem::ChangedOnDisk);
    EXPECT_TRUE(a.saveHinge("H", 3, OnDiskChange::Overwrite));
    EXPECT_NE(lib.read("Hinges/H.xml").find("Thick=\"3.00\""), std::string::npos);

    // A new name nobody has used is no conflict.
    EXPECT_TRUE(b.saveHinge("K", 1));
}
