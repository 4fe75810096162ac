#include "MachiningFixtures.h"

#include <machining/MachiningPlan.h>
#include <machining/ToolChoice.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

namespace {

using fixtures::tool;

struct ChoiceCase {
    const char* name;
    int kinds;
    double diameter;
    int drill;  // tool ID, 0 for none
    int helix;  // tool ID, 0 for none
};

class HoleToolChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(HoleToolChoice, DrillsWithTheSameDiameterElseMillsWithTheLargestSmallerCutter)
{
    GU_OwnedList<KnifeInfo> tools;
    tools.add_tail(tool(1, 0, 8.0));
    tools.add_tail(tool(2, 1, 8.04, 1)); // main spindle, within 0.05 of 8
    tools.add_tail(tool(3, 1, 5.0));
    tools.add_tail(tool(4, 1, 6.0, 0, 0)); // disabled
    tools.add_tail(tool(5, 2, 6.0));       // side head
    tools.add_tail(tool(6, 0, 5.0, 1, 1, KnifeKind::Drill)); // main spindle, same size as 3, drills only
    auto noFeed = tool(7, 1, 7.0);
    noFeed->Vel = 0;
    tools.add_tail(std::move(noFeed));

    const ChoiceCase& c = GetParam();
    const auto candidates = CandidateTools(tools, c.kinds);
    const KnifeInfo* drill = DrillFor(candidates, c.diameter);
    const KnifeInfo* helix = HelixToolFor(Cutters(candidates), c.diameter);
    EXPECT_EQ(drill ? drill->ID : 0, c.drill);
    EXPECT_EQ(helix ? helix->ID : 0, c.helix);
}

INSTANTIATE_TEST_SUITE_P(
    Holes, HoleToolChoice,
    ::testing::Values(ChoiceCase{"MainSpindleFirst", kHingeTools | kVerticalTools, 8.0, 2, 3},
                      ChoiceCase{"WithinTolerance", kHingeTools | kVerticalTools, 8.02, 2, 3},
                      ChoiceCase{"JustOutsideTolerance", kHingeTools | kVerticalTools, 8.1, 0, 2},
                      ChoiceCase{"DrillOnlyForItsOwnSize", kHingeTools, 5.0, 6, 0},
                      ChoiceCase{"DrillNeverMillsAHelix", kHingeTools, 8.0, 1, 0},
                      ChoiceCase{"DisabledAndFeedlessToolsIgnored", kVerticalTools, 7.0, 0, 3},
                      ChoiceCase{"SideHeadOnly", kSideTools, 6.0, 5, 0},
                      ChoiceCase{"NothingSmaller", kHingeTools | kVerticalTools, 4.0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PocketToolOrder, MainSpindleThenLargerFirst)
{
    GU_OwnedList<KnifeInfo> tools;
    tools.add_tail(tool(1, 1, 5.0));
    tools.add_tail(tool(2, 1, 12.0));
    tools.add_tail(tool(3, 1, 4.0, 1));
    tools.add_tail(tool(4, 1, 8.0));
    std::vector<int> ids;
    for (const KnifeInfo* t : PocketToolOrder(CandidateTools(tools, kVerticalTools)))
        ids.push_back(t->ID);
    EXPECT_EQ(ids, (std::vector<int>{3, 2, 4, 1}));
}

// --- what a plan reports besides its tool uses ---

struct Library {
    GU_OwnedList<KnifeInfo> tools;
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges(fixtures::rounded(100, 30, 6));
    std::shared_ptr<GK_LockCore> lock = fixtures::lockCore();
    std::unique_ptr<GK_DoorWithHinges> door = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);

    Library()
    {
        fixtures::standardTools(tools);
        hinge->SetThick(3);
        door->SetHingesModel(hinge);
        door->SetHingesPos({300, 0, 0});
        door->SetHingesPos({1700, 0, 0});
        door->SetLockCoreModel(lock);
        door->SetLockCorePos({1000, 0, 0});
    }

    MachiningPlan plan(ProgramKind kind) const { return PlanProgram(kind, *door, tools, MachineProfile{}); }
};

TEST(Plan, MissingToolNamesTheFeatureItsSizeAndTheKindsThatWouldDo)
{
    Library lib;
    lib.hinge->AddHoleToList(api_gk_make_circle_hole({50, 15, 0}, 2.5, 10).release());
    const MachiningPlan plan = lib.plan(ProgramKind::Hinges);
    EXPECT_EQ(plan.status, PlanStatus::MissingTools);
    EXPECT_TRUE(plan.uses.empty());
    ASSERT_EQ(plan.missing.size(), 2u) << "one per hinge position";
    const MissingTool& m = plan.missing[0];
    EXPECT_EQ(m.feature, (FeatureRef{FeatureKind::HingeHole, 1, 1}));
    EXPECT_FALSE(m.pocket);
    EXPECT_DOUBLE_EQ(m.diameter, 2.5);
    EXPECT_DOUBLE_EQ(m.depth, 10);
    EXPECT_EQ(m.kinds, kHingeTools | kVerticalTools);

    lib.hinge->SetMortise(true);
    lib.tools.replace(0, tool(1, 0, 40.0, 1)); // the only hinge tools are too wide for the mortise
    const MachiningPlan mortise = lib.plan(ProgramKind::Hinges);
    ASSERT_FALSE(mortise.missing.empty());
    EXPECT_EQ(mortise.missing[0].feature, (FeatureRef{FeatureKind::HingeMortise, 1, 0}));
    EXPECT_TRUE(mortise.missing[0].pocket);
    EXPECT_NEAR(mortise.missing[0].width, 100, 1e-6);
    EXPECT_NEAR(mortise.missing[0].height, 30, 1e-6);
    EXPECT_EQ(mortise.missing[0].kinds, kHingeTools);
}

TEST(Plan, HolesOfDepthZeroNeedAMortise)
{
    Library lib;
    lib.hinge->AddHoleToList(api_gk_make_circle_hole({20, 15, 0}, 5, 12).release());
    lib.hinge->AddHoleToList(api_gk_make_circle_hole({80, 15, 0}, 5, 0).release());
    MachiningPlan plan = lib.plan(ProgramKind::Hinges);
    EXPECT_EQ(plan.status, PlanStatus::Ready);
    EXPECT_EQ(plan.leftOut, (std::vector<FeatureRef>{{FeatureKind::HingeHole, 1, 2}, {FeatureKind::HingeHole, 2, 2}}));

    lib.hinge->SetMortise(true);
    plan = lib.plan(ProgramKind::Hinges);
    EXPECT_EQ(plan.status, PlanStatus::Ready);
    EXPECT_TRUE(plan.leftOut.empty());
    EXPECT_TRUE(plan.unreached.empty()) << "corners rounded about as the tool";
    // The mortise tool (main spindle) comes first, every tool once.
    ASSERT_GE(plan.uses.size(), 2u);
    EXPECT_EQ(plan.uses[0].tool.ID, 1);
    for (std::size_t i = 0; i < plan.uses.size(); ++i)
        for (std::size_t k = i + 1; k < plan.uses.size(); ++k)
            EXPECT_NE(plan.uses[i].tool.ID, plan.uses[k].tool.ID);
}

TEST(Plan, SquareCornersAreListedAsUnreached)
{
    Library lib;
    lib.hinge = api_gk_make_hinges(fixtures::rectangle(0, 0, 100, 30));
    lib.hinge->SetThick(3);
    lib.hinge->SetMortise(true);
    lib.door->SetHingesModel(lib.hinge);
    const MachiningPlan plan = lib.plan(ProgramKind::Hinges);
    ASSERT_EQ(plan.unreached.size(), 2u);
    EXPECT_EQ(plan.unreached[1].feature, (FeatureRef{FeatureKind::HingeMortise, 2, 0}));
    EXPECT_NEAR(plan.unreached[1].area, 4 * 36 * (1 - std::numbers::pi / 4), 0.2);
    // Four square corners leave under 1 mm² to a tool of at most 2.16 mm.
    EXPECT_NEAR(ReachingDiameter(plan.unreached[1]), 2.1, 1e-9);

    // A smaller hinge cutter finishes the corners as far as it reaches.
    lib.tools.add_tail(tool(10, 0, 4.0));
    const MachiningPlan rest = lib.plan(ProgramKind::Hinges);
    ASSERT_EQ(rest.unreached.size(), 2u);
    EXPECT_NEAR(rest.unreached[1].area, 4 * 4 * (1 - std::numbers::pi / 4), 0.2);
    EXPECT_TRUE(std::any_of(rest.uses.begin(), rest.uses.end(), [](const ToolUse& u) { return u.tool.ID == 10; }));
}

TEST(Plan, FeaturesOutsideTheLeafStopThePlan)
{
    Library lib;
    lib.door->SetHingesPos({1990, 0, 0});
    lib.hinge->SetMortise(true);
    MachiningPlan plan = lib.plan(ProgramKind::Hinges);
    EXPECT_EQ(plan.status, PlanStatus::OutsideDoor);
    EXPECT_EQ(plan.outside, (std::vector<FeatureRef>{{FeatureKind::HingeMortise, 3, 0}}));
    ASSERT_EQ(plan.overruns.size(), 1u);
    EXPECT_EQ(plan.overruns[0].kind, OverrunKind::Along);
    EXPECT_NEAR(plan.overruns[0].to, 2040, 1e-6) << "the mortise's far end";
    EXPECT_EQ(plan.overruns[0].limit, 2000);

    lib.lock->SetThick(41); // thicker than the door
    plan = lib.plan(ProgramKind::Lock);
    EXPECT_EQ(plan.status, PlanStatus::OutsideDoor);
    EXPECT_EQ(plan.outside, (std::vector<FeatureRef>{{FeatureKind::BodySlot, 0, 0}}));
    ASSERT_EQ(plan.overruns.size(), 1u);
    EXPECT_EQ(plan.overruns[0].kind, OverrunKind::Across);
    EXPECT_TRUE(plan.overruns[0].edge);
    EXPECT_NEAR(plan.overruns[0].size, 41, 1e-6);
    EXPECT_EQ(plan.overruns[0].limit, 40);

    // A lock face hole goes through whatever depth its model gives.
    lib.lock->SetThick(16);
    lib.door = api_gk_make_door_with_hinges("D", "", 2000, 900, 35);
    lib.door->SetLockCoreModel(lib.lock);
    lib.door->SetLockCorePos({1000, 0, 0});
    EXPECT_EQ(lib.plan(ProgramKind::Lock).status, PlanStatus::Ready) << "the model's 12 mm hole is no limit";
}

TEST(Plan, DoorWithoutTheModelHasNothingToMachine)
{
    Library lib;
    lib.door->SetHingesModel(nullptr);
    lib.door->SetLockCoreModel(nullptr);
    EXPECT_EQ(lib.plan(ProgramKind::Hinges).status, PlanStatus::NothingToMachine);
    EXPECT_EQ(lib.plan(ProgramKind::Lock).status, PlanStatus::NothingToMachine);
}

} // namespace
