// A save replaces the model's file and nothing else: a replaced model never
// comes back, and a file that holds another model is never overwritten.
#include "TempLibrary.h"

#include <library/AtomicFile.h>
#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/LibraryFolder.h>
#include <library/LockCoreFile.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::vector<std::string> hingeNames(const std::string& folder)
{
    ModelLibrary library;
    LoadAllHinges(folder, library.hinges);
    std::vector<std::string> names;
    for (const GK_Hinges* hinge : library.hinges)
        names.push_back(hinge->GetName());
    return names;
}

std::unique_ptr<GK_DoorWithHinges> door(const std::string& name, double length)
{
    return api_gk_make_door_with_hinges(name, "", length, 900, 40);
}

void killSelf(const std::string&)
{
    raise(SIGKILL);
}
} // namespace

// "Abc" is listed; the new model "abc" replaces it: one file, under the new
// name, whether the old one was seen at start-up or is only on disk.
TEST(ReplacingModels, ANameDifferingInCaseLeavesOneFile)
{
    for (const bool recorded : {true, false}) {
        TempLibrary lib;
        ASSERT_TRUE(SaveHingesFile(SmallHinge("Abc", 1).get(), lib.context()));
        if (recorded)
            LoadAllHinges(lib.folder(), lib.library.hinges, nullptr, &lib.library.files);
        const SaveContext context{lib.folder(), recorded ? &lib.library.files : nullptr};
        ASSERT_TRUE(SaveHingesFile(SmallHinge("abc", 2).get(), context));
        EXPECT_FALSE(std::filesystem::exists(lib.path("Hinges/Abc.xml")));
        EXPECT_EQ(hingeNames(lib.folder()), std::vector<std::string>{"abc"});
    }
}

// A renamed file ("old.xml" holding "Door") is the model's file too.
TEST(ReplacingModels, DoorsAndRenamedFilesAreReplacedToo)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveDoorModelFile(door("DOOR", 2000).get(), lib.context()));
    std::filesystem::rename(lib.path("DoorModel/DOOR.xml"), lib.path("DoorModel/old.xml"));
    LoadAllDoorModels(lib.folder(), lib.library.doors, lib.library, nullptr, &lib.library.files);
    ASSERT_TRUE(SaveDoorModelFile(door("Door", 2100).get(), SaveContext{lib.folder(), &lib.library.files}));
    EXPECT_FALSE(std::filesystem::exists(lib.path("DoorModel/old.xml")));
    ModelLibrary reread;
    LoadAllDoorModels(lib.folder(), reread.doors, reread);
    ASSERT_EQ(reread.doors.count(), 1u);
    double length = 0, width = 0, thick = 0;
    reread.doors[0]->GetDoorSize(length, width, thick);
    EXPECT_EQ(length, 2100);
}

// Killed while the new file is being put in place: the old model is whole
// and still the one read (the old file goes only after the new one is in).
TEST(ReplacingModels, AnInterruptedReplaceKeepsTheOldModel)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(SmallHinge("Abc", 1).get(), lib.context()));
    const pid_t child = fork();
    if (child == 0) {
        SetBeforeReplaceHook(killSelf);
        SaveHingesFile(SmallHinge("abc", 2).get(), lib.context());
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(hingeNames(lib.folder()), std::vector<std::string>{"Abc"});
}

// "Hinges/x.xml" holds "Y" (hand-edited or renamed): saving "x" is refused
// with both names known, the file is left as it was; likewise for the other
// kinds. A file holding "X" is the same model and is replaced.
TEST(ReplacingModels, AFileHoldingAnotherModelIsNeverOverwritten)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(SmallHinge("Y").get(), lib.context()));
    std::filesystem::rename(lib.path("Hinges/Y.xml"), lib.path("Hinges/x.xml"));
    const std::string before = lib.read("Hinges/x.xml");
    for (const OnDiskChange onChange : {OnDiskChange::Refuse, OnDiskChange::Overwrite}) {
        const SaveResult saved = SaveHingesFile(SmallHinge("x").get(), SaveContext{lib.folder(), &lib.library.files, onChange});
        EXPECT_EQ(saved.problem, SaveProblem::OtherModelsFile);
        EXPECT_EQ(saved.otherName, "Y");
        EXPECT_EQ(saved.path, lib.path("Hinges/x.xml"));
    }
    EXPECT_EQ(lib.read("Hinges/x.xml"), before);
    EXPECT_EQ(OtherModelInTarget(kHingesFolder, "x", lib.folder()), std::optional<std::string>("Y"));
    EXPECT_EQ(OtherModelInTarget(kHingesFolder, "y", lib.folder()), std::nullopt);

    auto lockCore = api_gk_make_lockcore(TestSquare(), TestSquare());
    lockCore->SetName("L2");
    ASSERT_TRUE(SaveLockCoreFile(lockCore.get(), lib.context()));
    std::filesystem::rename(lib.path("Lockcores/L2.xml"), lib.path("Lockcores/L1.xml"));
    lockCore->SetName("L1");
    EXPECT_EQ(SaveLockCoreFile(lockCore.get(), lib.context()).problem, SaveProblem::OtherModelsFile);

    ASSERT_TRUE(SaveDoorModelFile(door("D2", 2000).get(), lib.context()));
    std::filesystem::rename(lib.path("DoorModel/D2.xml"), lib.path("DoorModel/D1.xml"));
    EXPECT_EQ(SaveDoorModelFile(door("D1", 2000).get(), lib.context()).problem, SaveProblem::OtherModelsFile);

    std::filesystem::rename(lib.path("Hinges/x.xml"), lib.path("Hinges/y.xml"));
    EXPECT_TRUE(SaveHingesFile(SmallHinge("y").get(), lib.context()));
}
