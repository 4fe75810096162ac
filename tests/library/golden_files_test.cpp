// Files written by the program, compared byte for byte with files written by
// hand from the documented layout.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>

namespace {
std::unique_ptr<GK_Hinges> goldenHinge()
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 35.5, 0}, {-0.001, 35.5, 0}});
    hinge->SetName("H1");
    hinge->SetComments(kGbkHinge + "&D");
    hinge->SetThick(3);
    hinge->AddHoleToList(api_gk_make_circle_hole({20, 17.75, 0}, 8, -12.5).release());
    hinge->AddHoleToList(api_gk_make_circle_hole({80, 17.75, 0}, 35, 11).release());
    return hinge;
}

std::unique_ptr<GK_LockCore> goldenLockCore()
{
    auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {60, 0, 0}, {60, 20, 0}},
                                         {{0, 0, 0}, {24, 0, 0}, {24, 20, 0}, {0, 20, 0}});
    lockCore->SetName("L1");
    lockCore->SetThick(24);
    lockCore->GetTopList().add_tail(api_gk_make_circle_hole({30, 10, 0}, 16, 5));
    lockCore->GetTopList().add_tail(api_gk_make_hole({{1, 1, 0}, {3, 1, 0}, {3, 3, 0}, {1, 3, 0}}, 5));
    return lockCore;
}
} // namespace

TEST(GoldenFiles, HingeFileHasTheDocumentedLayout)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveHingesFile(goldenHinge().get(), lib.context()));
    EXPECT_EQ(lib.read("Hinges/H1.xml"), golden("hinges.xml"));
}

TEST(GoldenFiles, LockCoreFileHasTheDocumentedLayout)
{
    TempLibrary lib;
    ASSERT_TRUE(SaveLockCoreFile(goldenLockCore().get(), lib.context()));
    EXPECT_EQ(lib.read("Lockcores/L1.xml"), golden("lockcore.xml"));
}

TEST(GoldenFiles, DoorFileHasTheDocumentedLayout)
{
    TempLibrary lib;
    std::shared_ptr<GK_Hinges> hinge = goldenHinge();
    std::shared_ptr<GK_LockCore> lockCore = goldenLockCore();
    auto door = api_gk_make_door_with_hinges("D1", "front door", 2000, 900, 45);
    door->SetHingesModel(hinge);
    door->SetHingesUp(1);
    door->SetHingesPos({200, 0, 0});
    door->SetHingesPos({1800, 0, 0});
    door->SetLockCoreModel(lockCore);
    door->SetLockCorePos({1000, 0, 0});
    ASSERT_TRUE(SaveDoorModelFile(door.get(), lib.context()));
    EXPECT_EQ(lib.read("DoorModel/D1.xml"), golden("door.xml"));
}

TEST(GoldenFiles, ToolTableHasTheDocumentedLayout)
{
    TempLibrary lib;
    auto first = std::make_unique<KnifeInfo>();
    first->ID = 3;
    first->Vel = 6000;
    first->Type = 1;
    first->Diameter = 8;
    first->SafeDistance = 3.5;
    first->AirForward = "M10";
    first->AirBack = "M11";
    auto second = std::make_unique<KnifeInfo>();
    second->ID = -1;
    second->Type = 5;
    second->IsMain = 1;
    second->Enable = 0;
    second->Diameter = 35;
    lib.library.knives.add_tail(std::move(first));
    lib.library.knives.add_tail(std::move(second));
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    EXPECT_EQ(lib.read("HingesKnife.xml"), golden("knife.xml"));
}

// The sample tool table is written as the program writes it, so that a table
// saved from the tool dialog differs from it only where the user changed it.
TEST(GoldenFiles, SampleToolTableSavesByteForByte)
{
    TempLibrary lib;
    const std::string sample = [] {
        std::ifstream in(VARNHOLT_SOURCE_DIR "/samples/library/HingesKnife.xml", std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }();
    lib.write("HingesKnife.xml", sample);
    LoadKnifeFile(lib.folder(), lib.library.knives);
    ASSERT_EQ(lib.library.knives.count(), 10u);
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    EXPECT_EQ(lib.read("HingesKnife.xml"), sample);

    // Feeds for wood: at most half a millimetre per revolution of the spindle
    // speed its start text names, plunges at most 6 m/min, every kind marked.
    for (const KnifeInfo* knife : lib.library.knives) {
        const std::size_t s = knife->DrillStart.find('S');
        ASSERT_NE(s, std::string::npos) << knife->ID;
        const double speed = std::stod(knife->DrillStart.substr(s + 1));
        EXPECT_LE(knife->Vel / speed, 0.5) << knife->ID;
        EXPECT_GT(knife->PlungeVel, 0) << knife->ID;
        EXPECT_LE(knife->PlungeVel, std::min(6000.0, 0.5 * speed)) << knife->ID;
        EXPECT_NE(knife->Kind, KnifeKind::Unset) << knife->ID;
    }
}
