#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <kernel/GK_Factories.h>

namespace {
void addHinge(ModelLibrary& library, const std::string& name)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName(name);
    library.hinges.add_tail(std::move(hinge));
}

void addLockCore(ModelLibrary& library, const std::string& name)
{
    auto lockCore = api_gk_make_lockcore({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    lockCore->SetName(name);
    library.lockCores.add_tail(std::move(lockCore));
}

std::unique_ptr<GK_DoorWithHinges> load(TempLibrary& lib, const std::string& body)
{
    lib.write("DoorModel/t.xml", body);
    return LoadDoorModelFile(lib.path("DoorModel/t.xml"), lib.library).model;
}
} // namespace

TEST(DoorModelFile, RoundTripResolvesModelsCaseInsensitively)
{
    TempLibrary lib;
    addHinge(lib.library, "H1");
    addLockCore(lib.library, "l" + kGbkTrailA);
    auto door = api_gk_make_door_with_hinges(kGbkHinge, "c", 2000.004, 900, 45);
    door->SetHingesModel(lib.library.hinges.share(0));
    door->SetHingesUp(1);
    door->SetHingesPos({200, 1, 2});
    door->SetHingesPos({1800, 0, 0});
    door->SetLockCoreModel(lib.library.lockCores.share(0));
    door->SetLockCorePos({1000, 0, -3});
    const SaveResult saved = SaveDoorModelFile(door.get(), lib.context());
    ASSERT_TRUE(saved) << static_cast<int>(saved.problem);

    addHinge(lib.library, "h1"); // a later model of the same name in other case loses
    const auto back = LoadDoorModelFile(saved.path, lib.library).model;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), kGbkHinge);
    double length = 0, width = 0, thick = 0;
    back->GetDoorSize(length, width, thick);
    EXPECT_DOUBLE_EQ(length, 2000);
    EXPECT_EQ(back->GetHingesModel(), lib.library.hinges[0]);
    EXPECT_EQ(back->GetLockCoreModel(), lib.library.lockCores[0]);
    EXPECT_EQ(back->HingesUp(), 1);
    const std::vector<position> positions{{200, 1, 2}, {1800, 0, 0}};
    EXPECT_EQ(back->GetHingesPos().points(), positions);
    EXPECT_EQ(back->GetLockCorePos(), (position{1000, 0, -3}));
}

TEST(DoorModelFile, DoorWithoutModelsWritesEmptyNamesAndNoToUp)
{
    TempLibrary lib;
    auto door = api_gk_make_door_with_hinges("D", "", 10, 10, 10);
    door->SetHingesUp(1);
    ASSERT_TRUE(SaveDoorModelFile(door.get(), lib.context()));
    const std::string file = lib.read("DoorModel/D.xml");
    EXPECT_NE(file.find("<Hinges Name=\"\" />"), std::string::npos);
    EXPECT_NE(file.find("<LockCore Name=\"\" X=\"0.00\" Y=\"0.00\" Z=\"0.00\" />"), std::string::npos);

    const auto back = LoadDoorModelFile(lib.path("DoorModel/D.xml"), lib.library).model;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->HingesUp(), 0);
    EXPECT_EQ(back->GetHingesModel(), nullptr);
    // The empty name means no model, even beside a hinge that an old file left without a name.
    addHinge(lib.library, "");
    EXPECT_EQ(LoadDoorModelFile(lib.path("DoorModel/D.xml"), lib.library).model->GetHingesModel(), nullptr);
}

TEST(DoorModelFile, UnknownModelsLeaveTheDoorWithoutThem)
{
    TempLibrary lib;
    const auto door = load(lib, "<Model Length=\"1\" Width=\"1\" Thick=\"1\"><Hinges Name=\"none\" ToUp=\"7\">"
                                "<Pos X=\"5\"/><Pos X=\"6\" Y=\"1\" Z=\"2\"/></Hinges></Model>");
    ASSERT_TRUE(door);
    EXPECT_EQ(door->GetHingesModel(), nullptr);
    EXPECT_EQ(door->HingesUp(), 7);
    ASSERT_EQ(door->GetHingesPos().count(), 2u);
    EXPECT_EQ(door->GetHingesPos()[0], (position{5, 0, 0}));
    EXPECT_EQ(door->GetLockCoreModel(), nullptr); // no LockCore element
    EXPECT_EQ(door->GetLockCorePos(), position{});
}

TEST(DoorModelFile, SizeMustBePositiveAndFinite)
{
    TempLibrary lib;
    const char* const sizes[] = {
        "Length=\"0\" Width=\"1\" Thick=\"1\"",   "Length=\"-1\" Width=\"1\" Thick=\"1\"",
        "Length=\"1\" Thick=\"1\"",               "Length=\"nan\" Width=\"1\" Thick=\"1\"",
        "Length=\"inf\" Width=\"1\" Thick=\"1\"", "Length=\"1\" Width=\"1\" Thick=\"1e999\"",
    };
    for (const char* size : sizes)
        EXPECT_FALSE(load(lib, std::string("<Model ") + size + "/>")) << size;
    EXPECT_FALSE(load(lib, "<Model Length=\"1\" Width=\"1\" Thick=\"1\"><LockCore X=\"nan\"/></Model>"));
    EXPECT_TRUE(load(lib, "<Model Length=\" 1\" Width=\"1mm\" Thick=\"1\"><Hinges/></Model>"));
}

// A size above zero that the file's hundredths write as zero is refused when
// saved; from half a hundredth on it writes as 0.01 and more, and is saved.
TEST(DoorModelFile, SizeThatWritesAsZeroIsNotSaved)
{
    TempLibrary lib;
    for (const double size : {0.004, 0.0049})
        EXPECT_FALSE(IsSavableDoorSize(size)) << size;
    for (const double size : {0.005, 0.01, 2100.0})
        EXPECT_TRUE(IsSavableDoorSize(size)) << size;
    auto door = api_gk_make_door_with_hinges("d", "", 2000, 0.004, 40);
    EXPECT_EQ(SaveDoorModelFile(door.get(), lib.context()).problem, SaveProblem::OutOfRange);
    EXPECT_FALSE(std::filesystem::exists(lib.path("DoorModel/d.xml")));
}
