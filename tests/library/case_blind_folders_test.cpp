// A library copied from a case-blind file system: folder and file names in
// another letter case are found for reading and for saving.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LibraryFolder.h>

TEST(CaseBlindFolders, FoldersAndFilesInAnotherCaseAreReadAndWritten)
{
    TempLibrary lib;
    std::filesystem::remove(lib.path("Hinges"));
    std::filesystem::remove(lib.path("Lockcores"));
    std::filesystem::create_directory(lib.path("hinges"));
    std::filesystem::create_directory(lib.path("LockCores"));
    ASSERT_TRUE(SaveHingesFile(SmallHinge("A", 1).get(), lib.context()));
    ASSERT_TRUE(std::filesystem::exists(lib.path("hinges/A.xml")));
    std::filesystem::rename(lib.path("hinges/A.xml"), lib.path("hinges/A.XML"));
    lib.write("hingesknife.xml", "<AllKnife><Knife ID=\"7\"/></AllKnife>");

    LoadAllHinges(lib.folder(), lib.library.hinges, nullptr, &lib.library.files);
    LoadKnifeFile(lib.folder(), lib.library.knives, nullptr, &lib.library.files);
    ASSERT_EQ(lib.library.hinges.count(), 1u);
    ASSERT_EQ(lib.library.knives.count(), 1u);
    EXPECT_EQ(lib.library.knives[0]->ID, 7);
    EXPECT_EQ(ModelFolderPath(lib.folder(), kLockCoresFolder), lib.path("LockCores/"));

    // Saving again writes the file that is there, not a second one beside it.
    ASSERT_TRUE(SaveHingesFile(SmallHinge("A", 2).get(), SaveContext{lib.folder(), &lib.library.files}));
    lib.library.knives[0]->ID = 8;
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, SaveContext{lib.folder(), &lib.library.files}));
    EXPECT_FALSE(std::filesystem::exists(lib.path("Hinges")));
    EXPECT_FALSE(std::filesystem::exists(lib.path("hinges/A.xml")));
    EXPECT_FALSE(std::filesystem::exists(lib.path("HingesKnife.xml")));
    EXPECT_NE(lib.read("hingesknife.xml").find("ID=\"8\""), std::string::npos);
    ModelLibrary reread;
    LoadAllHinges(lib.folder(), reread.hinges);
    ASSERT_EQ(reread.hinges.count(), 1u);
    EXPECT_EQ(reread.hinges[0]->GetThick(), 2);

    // The exact name wins where both exist.
    std::filesystem::create_directory(lib.path("Hinges"));
    EXPECT_EQ(ModelFolderPath(lib.folder(), kHingesFolder), lib.path("Hinges/"));
}
