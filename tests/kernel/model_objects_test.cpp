#include <kernel/GK_Factories.h>
#include <kernel/GU_Pt_List.h>

#include <gtest/gtest.h>

namespace {

GU_Pt_List square(double size)
{
    return GU_Pt_List{{0, 0, 0}, {size, 0, 0}, {size, size, 0}, {0, size, 0}};
}

TEST(CircleHole, ReportsHalfTheDiameterAndTheDepthUnchanged)
{
    auto hole = api_gk_make_circle_hole({3, 4, 0}, 8.0, -12.5);
    EXPECT_EQ(hole->is_circle(), 1);
    EXPECT_DOUBLE_EQ(hole->get_radius(), 4.0);
    EXPECT_DOUBLE_EQ(hole->get_z(), -12.5);
    EXPECT_EQ(hole->get_cen(), (position{3, 4, 0}));
    EXPECT_EQ(hole->get_loop(), nullptr);
}

TEST(OutlineHole, KeepsItsOwnCopyOfThePoints)
{
    GU_Pt_List points = square(5);
    auto hole = api_gk_make_hole(points, 5.0);
    points.add_tail({9, 9, 9});
    EXPECT_EQ(hole->is_circle(), 0);
    ASSERT_NE(hole->get_loop(), nullptr);
    EXPECT_EQ(hole->get_loop()->count(), 4u);
    EXPECT_DOUBLE_EQ(hole->get_z(), 5.0);
}

TEST(Hinges, CopyIsIndependentOfItsSource)
{
    auto hinge = api_gk_make_hinges(square(40));
    hinge->SetName("H1");
    hinge->SetThick(3);
    hinge->AddHoleToList(api_gk_make_circle_hole({10, 10, 0}, 8, 2).release());
    hinge->visible = 0;

    auto copy = gk_copy(*hinge);
    EXPECT_EQ(copy->type(), GK_TYPE_HINGES);
    EXPECT_EQ(copy->GetName(), "H1");
    EXPECT_EQ(copy->visible, 0);
    EXPECT_EQ(copy->next, nullptr);
    ASSERT_EQ(copy->GetListHole().count(), 1u);
    EXPECT_NE(copy->GetListHole()[0], hinge->GetListHole()[0]);

    hinge.reset();
    EXPECT_EQ(copy->GetLoopOut().count(), 4u);
    EXPECT_DOUBLE_EQ(copy->GetListHole()[0]->get_radius(), 4.0);
}

TEST(LockCore, CopyDuplicatesBothHoleLists)
{
    auto core = api_gk_make_lockcore(square(20), square(10));
    core->GetTopList().add_tail(api_gk_make_circle_hole({1, 1, 0}, 2, 3).release());
    core->GetSideList().add_tail(api_gk_make_hole(square(1), 0).release());

    auto copy = gk_copy(*core);
    core->GetTopList().clear();
    ASSERT_EQ(copy->GetTopList().count(), 1u);
    ASSERT_EQ(copy->GetSideList().count(), 1u);
    EXPECT_EQ(copy->GetTopList()[0]->is_circle(), 1);
    EXPECT_EQ(copy->GetSideList()[0]->is_circle(), 0);
    EXPECT_EQ(copy->type(), GK_TYPE_LOCKCORE);
}

// A copy of a door shares its models: they live on after the door and
// whoever else held them let go.
TEST(Door, SharesItsModelsWithItsCopies)
{
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges(square(40));
    std::shared_ptr<GK_LockCore> core = api_gk_make_lockcore(square(20), square(10));
    auto door = api_gk_make_door_with_hinges("D", "c", 2100, 900, 40);
    EXPECT_EQ(door->HingesUp(), 0);
    door->SetHingesModel(hinge);
    door->SetLockCoreModel(core);
    door->SetHingesPos({200, 0, 0});
    door->SetHingesPos({1800, 0, 0});

    auto copy = gk_copy(*door);
    door.reset();
    EXPECT_EQ(copy->GetHingesModel(), hinge.get());
    EXPECT_EQ(copy->GetLockCoreModel(), core.get());
    const std::weak_ptr<GK_Hinges> shared = hinge;
    hinge.reset();
    core.reset();
    ASSERT_FALSE(shared.expired());
    EXPECT_EQ(copy->GetHingesModel(), shared.lock().get());
    ASSERT_EQ(copy->GetHingesPos().count(), 2u);
    EXPECT_DOUBLE_EQ(copy->GetHingesPos()[1].x, 1800);

    double l = 0, w = 0, t = 0;
    copy->GetDoorSize(l, w, t);
    EXPECT_EQ((position{l, w, t}), (position{2100, 900, 40}));
    EXPECT_EQ(copy->GetHingesModel()->GetName(), "");
    copy.reset();
    EXPECT_TRUE(shared.expired());
}

TEST(Hinges, AssignmentReplacesContentButKeepsDrawingState)
{
    auto older = api_gk_make_hinges(square(40));
    auto newer = api_gk_make_hinges(square(10));
    newer->SetName("N");
    newer->AddHoleToList(api_gk_make_circle_hole({1, 1, 0}, 2, 0).release());
    older->visible = 0;

    *older = *newer;
    EXPECT_EQ(older->GetName(), "N");
    EXPECT_EQ(older->visible, 0);
    EXPECT_EQ(older->GetListHole().count(), 1u);
}

} // namespace
