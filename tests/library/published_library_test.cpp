#include "TempLibrary.h"

#include <library/PublishedLibrary.h>
#include <library/DoorModelFile.h>
#include <library/KnifeFile.h>

#include <kernel/GK_Factories.h>

namespace {

// Publishes the library of the folder for the life of the object.
struct Published {
    Published(ModelLibrary& library, const std::string& folder) { PublishLibrary(&library, folder); }
    ~Published() { PublishLibrary(nullptr, {}); }
};

} // namespace

// The classic entry points work on whatever library is published, and on
// nothing when none is.
TEST(PublishedLibrary, ClassicEntryPointsFollowThePublishedLibrary)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("H1");
    lib.library.hinges.add_tail(std::move(hinge));
    auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    lockCore->SetName("L1");
    lib.library.lockCores.add_tail(std::move(lockCore));
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    lib.write("DoorModel/D.xml", "<Model Length=\"1\" Width=\"1\" Thick=\"1\"><Hinges Name=\"h1\"/>"
                                 "<LockCore Name=\"l1\"/></Model>");
    const std::string doorPath = lib.path("DoorModel/D.xml");

    {
        const Published published(lib.library, lib.folder());
        EXPECT_EQ(FindHingesByName("h1"), lib.library.hinges[0]);
        EXPECT_EQ(FindLockCoreByName("l1"), lib.library.lockCores[0]);
        const auto door = LoadDoorModelFile(doorPath);
        ASSERT_NE(door, nullptr);
        EXPECT_EQ(door->GetHingesModel(), lib.library.hinges[0]);
        EXPECT_EQ(door->GetLockCoreModel(), lib.library.lockCores[0]);
        EXPECT_TRUE(SaveKnifeFile());
        EXPECT_NE(lib.read("HingesKnife.xml").find("<Knife "), std::string::npos);
    }

    EXPECT_EQ(FindHingesByName("h1"), nullptr);
    EXPECT_EQ(FindLockCoreByName("l1"), nullptr);
    const auto door = LoadDoorModelFile(doorPath);
    ASSERT_NE(door, nullptr) << "a door without its models still loads";
    EXPECT_EQ(door->GetHingesModel(), nullptr);
    EXPECT_FALSE(SaveKnifeFile());
}
