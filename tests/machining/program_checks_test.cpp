// Generated programs replayed by the independent reader and judged against
// what the door asks for, for generated doors under several machine
// profiles and for the sample library's doors.
#include "GcodeSim.h"
#include "MachiningFixtures.h"
#include "ProgramChecks.h"

#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>


#include <gtest/gtest.h>

namespace {

std::string joined(const std::vector<std::string>& fails)
{
    std::string out;
    for (const std::string& f : fails)
        out += "\n  " + f;
    return out;
}

void expectSound(const GK_DoorWithHinges& door, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile,
                 const std::string& name)
{
    for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
        const bool hinges = kind == ProgramKind::Hinges;
        const MachiningPlan plan = PlanProgram(kind, door, tools, profile);
        const check::Door expected = hinges ? check::ExpectHingeProgram(door, profile.Breakthrough)
                                            : check::ExpectLockProgram(door, profile.Breakthrough, profile.RecessDepth);
        if (expected.holes.empty() && expected.pockets.empty()) {
            EXPECT_EQ(plan.status, PlanStatus::NothingToMachine) << name;
            continue;
        }
        ASSERT_EQ(plan.status, PlanStatus::Ready) << name << (hinges ? " hinges" : " lock");
        const sim::Machine machine = fixtures::machine(profile, door, tools);
        const sim::Run run = sim::Replay(WriteGcode(plan, profile), machine);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.toolUses, static_cast<int>(plan.uses.size()));
        const std::vector<std::string> fails = check::CheckProgram(run, machine, expected);
        EXPECT_TRUE(fails.empty()) << name << (hinges ? " hinge program:" : " lock program:") << joined(fails);
    }
}

struct ProfileCase {
    const char* name;
    void (*adjust)(MachineProfile&);
};

const ProfileCase kProfiles[] = {
    {"Defaults", [](MachineProfile&) {}},
    {"FarCornerBothAxesBackCannedNumberedLf",
     [](MachineProfile& p) {
         p.OriginCorner = 2;
         p.XDirection = -1;
         p.YDirection = -1;
         p.CannedCycles = 1;
         p.LineNumbers = 10;
         p.CrLf = 0;
         p.Comments = 0;
         p.SideAxisX = "U";
         p.SideAxisY = "V";
         p.SideAxisZ = "W";
     }},
    {"MirroredFrameNarrowStepover",
     [](MachineProfile& p) {
         p.OriginCorner = 1;
         p.XDirection = -1;
         p.Stepover = 20;
         p.Breakthrough = 2;
         p.RecessDepth = 4;
     }},
};

struct DoorCase {
    const char* name;
    bool tall;
    bool mortise;
    int hingesUp;
};

const DoorCase kDoors[] = {
    {"WideHoleOnlyHingesDown", false, false, 0},
    {"WideMortisedHingesUp", false, true, 1},
    {"TallMortisedHingesDown", true, true, 0},
    {"TallHolesOnlyHingesUp", true, false, 1},
};

class GeneratedDoor : public ::testing::TestWithParam<std::tuple<DoorCase, ProfileCase>> {};

TEST_P(GeneratedDoor, ProgramsDoWhatTheDoorAsks)
{
    const auto& [doorCase, profileCase] = GetParam();
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    auto hinge = fixtures::hinge(doorCase.tall, doorCase.mortise);
    auto lock = fixtures::lockCore();
    auto door = fixtures::door(std::move(hinge), std::move(lock), doorCase.hingesUp);
    MachineProfile profile;
    profileCase.adjust(profile);
    expectSound(*door, tools, profile, doorCase.name);
}

INSTANTIATE_TEST_SUITE_P(Doors, GeneratedDoor, ::testing::Combine(::testing::ValuesIn(kDoors), ::testing::ValuesIn(kProfiles)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

TEST(SampleDoors, ProgramsDoWhatTheDoorsAsk)
{
    ModelLibrary library;
    fixtures::loadSampleLibrary(library);
    ASSERT_GE(library.doors.count(), 4u);
    int mortised = 0;
    for (const GK_DoorWithHinges* door : library.doors) {
        mortised += door->GetHingesModel() && door->GetHingesModel()->GetMortise();
        expectSound(*door, library.knives, MachineProfile{}, door->GetName());
    }
    EXPECT_EQ(mortised, 1) << "one sample door uses the mortised hinge";
}

} // namespace
