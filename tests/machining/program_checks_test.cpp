// Generated programs replayed by the independent reader and judged against
// what the door asks for and what the profile allows, for designed doors
// under several machine profiles and tool tables and for the sample
// library's doors.
#include "GcodeSim.h"
#include "MachiningFixtures.h"
#include "ProgramChecks.h"

#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string joined(const std::vector<std::string>& fails)
{
    std::string out;
    for (const std::string& f : fails)
        out += "\n  " + f;
    return out;
}

bool asksAboutFeeds(const MachiningPlan& plan)
{
    return std::any_of(plan.warnings.begin(), plan.warnings.end(), [](const PlanWarning& w) { return w.kind != WarningKind::ThinWall; });
}

// Both programs of the door, each either refused as `refusedHinges` says or
// sound. Feeds the plan asks about before writing are the user's to accept.
void expectSound(const GK_DoorWithHinges& door, const GU_OwnedList<KnifeInfo>& tools, const MachineProfile& profile,
                 const std::string& name, bool refusedHinges = false, bool refusedLock = false)
{
    for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
        const bool hinges = kind == ProgramKind::Hinges;
        const std::string what = name + (hinges ? " hinge program:" : " lock program:");
        const MachiningPlan plan = PlanProgram(kind, door, tools, profile);
        const check::Door expected = hinges ? check::ExpectHingeProgram(door, profile.Breakthrough)
                                            : check::ExpectLockProgram(door, profile.Breakthrough, profile.RecessDepth);
        if (expected.holes.empty() && expected.pockets.empty()) {
            EXPECT_EQ(plan.status, PlanStatus::NothingToMachine) << what;
            continue;
        }
        if (hinges ? refusedHinges : refusedLock) {
            EXPECT_EQ(plan.status, PlanStatus::MissingTools) << what;
            continue;
        }
        ASSERT_EQ(plan.status, PlanStatus::Ready) << what;
        const sim::Machine machine = fixtures::machine(profile, door, tools);
        const sim::Run run = sim::Replay(WriteGcode(plan, profile), machine);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.toolUses, static_cast<int>(plan.uses.size()));
        check::Rules rules = fixtures::rules(profile);
        if (asksAboutFeeds(plan))
            rules.maxFeedPerTurn = rules.maxPlunge = 1e9;
        const std::vector<std::string> fails = check::CheckProgram(run, machine, expected, rules);
        EXPECT_TRUE(fails.empty()) << what << joined(fails);
    }
}

struct ProfileCase {
    const char* name;
    void (*adjust)(MachineProfile&);
    friend void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }
};

const ProfileCase kProfiles[] = {
    {"Defaults", [](MachineProfile&) {}},
    {"FarCornerCannedPeckingNumberedLf",
     [](MachineProfile& p) {
         p.OriginCorner = 2;
         p.XDirection = -1;
         p.YDirection = -1;
         p.CannedCycles = 1;
         p.PeckDepth = 5;
         p.LineNumbers = 10;
         p.CrLf = 0;
         p.Comments = 0;
         p.Header = "%\nO1001";
         p.SideAxisX = "U";
         p.SideAxisY = "V";
         p.SideAxisZ = "W";
     }},
    {"MirroredShallowPassesFlatHelixG1Pecks",
     [](MachineProfile& p) {
         p.OriginCorner = 1;
         p.XDirection = -1;
         p.Stepover = 20;
         p.Breakthrough = 2;
         p.RecessDepth = 4;
         p.PassDepthDiameters = 0.5;
         p.PassDepthMax = 6;
         p.HelixAngle = 2;
         p.PeckDepth = 4;
     }},
};

// Tool tables with tools taken away: the program makes do with what is
// left or refuses.
struct TableCase {
    const char* name;
    void (*adjust)(GU_OwnedList<KnifeInfo>&);
    bool refusesHinges; // the Ø10 hinge hole has no cutter left
    bool refusesLock;   // nor has the 8 × 8 pocket of the lock's side face
    friend void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }
};

void disable(GU_OwnedList<KnifeInfo>& tools, int id)
{
    for (KnifeInfo* k : tools)
        if (k->ID == id)
            k->Enable = 0;
}

const TableCase kTables[] = {
    {"AllTools", [](GU_OwnedList<KnifeInfo>&) {}, false, false},
    {"SpareCutters",
     [](GU_OwnedList<KnifeInfo>& t) {
         disable(t, 1);
         disable(t, 5);
         t.add_tail(fixtures::tool(11, 0, 10.0));
         t.add_tail(fixtures::tool(12, 2, 12.0));
     },
     false, false},
    {"NoSmallVerticalCutter", [](GU_OwnedList<KnifeInfo>& t) { disable(t, 4); }, true, true},
};

struct DoorCase {
    const char* name;
    double length, width, thickness;
    int hinges;
    bool tall, mortise, lock;
    int hingesUp;
    friend void PrintTo(const DoorCase& c, std::ostream* os) { *os << c.name; }
};

const DoorCase kDoors[] = {
    {"Cabinet300x200x16", 300, 200, 16, 2, false, false, false, 0},
    {"Narrow1800x600x35", 1800, 600, 35, 2, true, false, true, 1},
    {"Interior2100x900x40", 2100, 900, 40, 3, true, true, true, 1},
    {"Entrance2400x1200x60", 2400, 1200, 60, 4, false, true, true, 0},
};

std::unique_ptr<GK_DoorWithHinges> designedDoor(const DoorCase& c, std::shared_ptr<GK_Hinges> hinge,
                                                std::shared_ptr<GK_LockCore> lock)
{
    auto d = api_gk_make_door_with_hinges("D", "", c.length, c.width, c.thickness);
    d->SetHingesModel(std::move(hinge));
    d->SetHingesUp(c.hingesUp);
    // The end hinges near the ends, the rest evenly between.
    const double first = c.length < 1000 ? 60 : 200, last = c.length - first;
    for (int i = 0; i < c.hinges; ++i)
        d->SetHingesPos({first + (last - first) * i / (c.hinges - 1), 0, 0});
    if (c.lock) {
        d->SetLockCoreModel(std::move(lock));
        d->SetLockCorePos({c.length / 2, 0, 0});
    }
    return d;
}

class DesignedDoor : public ::testing::TestWithParam<std::tuple<DoorCase, ProfileCase, TableCase>> {};

TEST_P(DesignedDoor, ProgramsDoWhatTheDoorAsksWithinTheProfile)
{
    const auto& [doorCase, profileCase, tableCase] = GetParam();
    GU_OwnedList<KnifeInfo> tools;
    fixtures::standardTools(tools);
    tableCase.adjust(tools);
    auto door = designedDoor(doorCase, fixtures::hinge(doorCase.tall, doorCase.mortise), fixtures::lockCore());
    MachineProfile profile;
    profileCase.adjust(profile);
    expectSound(*door, tools, profile, doorCase.name, tableCase.refusesHinges, tableCase.refusesLock);
}

INSTANTIATE_TEST_SUITE_P(Doors, DesignedDoor,
                         ::testing::Combine(::testing::ValuesIn(kDoors), ::testing::ValuesIn(kProfiles),
                                            ::testing::ValuesIn(kTables)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name +
                                    "_" + std::get<2>(info.param).name;
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
