#include <kernel/GK_Factories.h>
#include <kernel/GK_Placement.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct PlaceCase {
    const char* name;
    GK_Box part;
    position at;
    bool farEdge;
    // Where the part's corner (x0, y0) and its opposite corner land.
    position corner0;
    position corner1;
    bool mirrors;
};

class PlaceOnEdge : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOnEdge, TurnsCentresAndMirrors)
{
    const PlaceCase& c = GetParam();
    const std::optional<GK_Affine> t = GK_PlaceOnEdge(c.part, c.at, c.farEdge, 900);
    ASSERT_TRUE(t);
    const position p0 = t->map({c.part.x0, c.part.y0, 7});
    const position p1 = t->map({c.part.x1, c.part.y1, 7});
    EXPECT_NEAR(p0.x, c.corner0.x, 1e-9);
    EXPECT_NEAR(p0.y, c.corner0.y, 1e-9);
    EXPECT_NEAR(p1.x, c.corner1.x, 1e-9);
    EXPECT_NEAR(p1.y, c.corner1.y, 1e-9);
    EXPECT_EQ(p0.z, 7) << "depths pass through";
    EXPECT_EQ(t->mirrors(), c.mirrors);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, PlaceOnEdge,
    ::testing::Values(
        // A wide part keeps its direction: centred on x, its bottom on the edge.
        PlaceCase{"WideNearEdge", {500, 500, 600, 520}, {200, 0, 0}, false, {150, 0, 0}, {250, 20, 0}, false},
        PlaceCase{"WideNearEdgeInset", {0, 0, 100, 20}, {200, 5, 0}, false, {150, 5, 0}, {250, 25, 0}, false},
        // At the far edge the same side faces the edge: mirrored across.
        PlaceCase{"WideFarEdge", {0, 0, 100, 20}, {200, 0, 0}, true, {150, 900, 0}, {250, 880, 0}, true},
        PlaceCase{"WideFarEdgeInset", {0, 0, 100, 20}, {200, 5, 0}, true, {150, 895, 0}, {250, 875, 0}, true},
        // A tall part is turned a quarter turn, (x, y) to (-y, x).
        PlaceCase{"TallNearEdge", {0, 0, 60, 180}, {1000, 0, 0}, false, {1090, 0, 0}, {910, 60, 0}, false},
        PlaceCase{"TallFarEdge", {0, 0, 60, 180}, {1000, 0, 0}, true, {1090, 900, 0}, {910, 840, 0}, true},
        // A square part is not turned.
        PlaceCase{"Square", {0, 0, 30, 30}, {100, 0, 0}, false, {85, 0, 0}, {115, 30, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceOnEdge, UnusablePositionPlacesNothing)
{
    EXPECT_FALSE(GK_PlaceOnEdge({0, 0, 1, 1}, {std::nan(""), 0, 0}, false, 900));
    EXPECT_FALSE(GK_PlaceOnEdge({0, 0, 1, 1}, {0, 1e12, 0}, false, 900));
}

TEST(PartBounds, CountOutlineAndHolesThatCanBeDrawn)
{
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 20, 0}, {std::nan(""), 5, 0}});
    hinge->AddHoleToList(api_gk_make_circle_hole({50, 20, 0}, 10, 3).release());
    hinge->AddHoleToList(api_gk_make_circle_hole({500, 500, 0}, 0, 3).release());
    const std::optional<GK_Box> box = GK_HingeBounds(*hinge);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->x0, 0);
    EXPECT_EQ(box->x1, 100);
    EXPECT_EQ(box->y1, 25) << "the round hole reaches past the outline";

    GU_OwnedList<GK_Hole> none;
    EXPECT_FALSE(GK_FaceBounds(GU_Loop(GU_Pt_List{{1, 1, 0}}), none)) << "one vertex is no outline";
}

TEST(LayOutDoor, KeepsOnePlacementPerHingePosition)
{
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 20, 0}, {0, 20, 0}});
    std::shared_ptr<GK_LockCore> lock = api_gk_make_lockcore({{0, 0, 0}, {24, 0, 0}, {24, 240, 0}}, {{0, 0, 0}, {60, 0, 0}, {60, 180, 0}});
    auto door = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);
    door->SetHingesModel(hinge);
    door->SetLockCoreModel(lock);
    door->SetHingesPos({200, 0, 0});
    door->SetHingesPos({std::nan(""), 0, 0});
    door->SetHingesPos({1800, 0, 0});
    door->SetLockCorePos({1000, 0, 0});
    door->SetHingesUp(1);
    const GK_DoorLayout layout = GK_LayOutDoor(*door);
    EXPECT_TRUE(layout.hingesAtFarEdge);
    ASSERT_EQ(layout.hinges.size(), 3u);
    EXPECT_TRUE(layout.hinges[0] && !layout.hinges[1] && layout.hinges[2]);
    EXPECT_TRUE(layout.hinges[0]->mirrors()) << "hinges up lie at the far edge";
    ASSERT_TRUE(layout.lockCore);
    EXPECT_FALSE(layout.lockCore->mirrors()) << "the lock core lies at the other edge";
    EXPECT_NEAR(layout.lockCore->map({60, 180, 0}).x, 910, 1e-9);

    door->SetHingesModel(nullptr);
    for (const auto& placed : GK_LayOutDoor(*door).hinges)
        EXPECT_FALSE(placed) << "no hinge model, nothing placed";
}

struct SizeCase {
    const char* name;
    std::vector<double> hingesX; // the model's, in list order, on a 2000 mm leaf
    double lockX;
    double length;               // the new length
    std::vector<double> wantX;   // worked out by hand, in list order
    double wantLockX;
};

class DoorInSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DoorInSize, MovesHingesAndLockByTheirEnds)
{
    const SizeCase& c = GetParam();
    auto model = api_gk_make_door_with_hinges("D", "", 2000, 900, 40);
    for (std::size_t i = 0; i < c.hingesX.size(); ++i)
        model->SetHingesPos({c.hingesX[i], 5.0 + static_cast<double>(i), 3});
    model->SetLockCorePos({c.lockX, 60, 2});
    const auto door = GK_DoorInSize(*model, c.length, 900, 40, 0);
    const GU_Pt_List& at = door->GetHingesPos();
    ASSERT_EQ(at.count(), c.wantX.size());
    for (std::size_t i = 0; i < at.count(); ++i) {
        EXPECT_NEAR(at[i].x, c.wantX[i], 1e-9) << "hinge " << i;
        EXPECT_EQ(at[i].y, 5.0 + static_cast<double>(i)) << "across the width nothing moves";
        EXPECT_EQ(at[i].z, 3);
    }
    EXPECT_NEAR(door->GetLockCorePos().x, c.wantLockX, 1e-9);
    EXPECT_EQ(door->GetLockCorePos().y, 60);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, DoorInSize,
    ::testing::Values(
        SizeCase{"TwoShorter", {200, 1800}, 950, 1500, {200, 1300}, 950},
        SizeCase{"TwoLonger", {200, 1800}, 1050, 2400, {200, 2200}, 1450},
        SizeCase{"TwoListedLastFirst", {1750, 250}, 300, 1200, {950, 250}, 300},
        // The middle hinge goes halfway, wherever the model had it.
        SizeCase{"ThreeShorter", {250, 700, 1850}, 1500, 1600, {250, 850, 1450}, 1100},
        SizeCase{"ThreeLonger", {200, 1000, 1800}, 1000, 2400, {200, 1200, 2200}, 1000},
        SizeCase{"FourOutOfOrder", {1800, 200, 900, 1300}, 1200, 2500, {2300, 200, 900, 1600}, 1700},
        SizeCase{"FourShorter", {200, 600, 1400, 1800}, 999, 1100, {200, 433.33333333333331, 666.66666666666663, 900}, 999},
        SizeCase{"OneNearStart", {300}, 1900, 1000, {300}, 900},
        SizeCase{"OneNearEnd", {1700}, 100, 1000, {700}, 100},
        SizeCase{"NoHinges", {}, 1600, 2100, {}, 1700}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DoorInSize, SameLengthKeepsEveryPositionAndTakesTheRest)
{
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 20, 0}});
    auto model = api_gk_make_door_with_hinges("门A", "注", 2000, 900, 40);
    model->SetHingesModel(hinge);
    // Positions that spacing them anew would not give back bit for bit.
    const std::vector<position> positions{{0.1 + 0.2, 0, 0}, {1000.0 / 3.0, 0, 0}, {2000 - 0.7, 1, 0}};
    for (const position& p : positions)
        model->SetHingesPos(p);
    model->SetLockCorePos({1999.9 / 3.0, 60, 0});
    const auto door = GK_DoorInSize(*model, 2000 + 1e-10, 850, 52, 1);
    EXPECT_EQ(door->GetHingesPos().points(), positions);
    EXPECT_EQ(door->GetLockCorePos(), model->GetLockCorePos());
    double length = 0, width = 0, thickness = 0;
    door->GetDoorSize(length, width, thickness);
    EXPECT_EQ(length, 2000 + 1e-10);
    EXPECT_EQ(width, 850);
    EXPECT_EQ(thickness, 52);
    EXPECT_EQ(door->HingesUp(), 1);
    EXPECT_EQ(door->GetName(), "门A");
    EXPECT_EQ(door->GetComments(), "注");
    EXPECT_EQ(door->ShareHingesModel(), hinge) << "the model is shared, not copied";
    EXPECT_EQ(GK_DoorInSize(*door, 2000, 850, 52, 0)->HingesUp(), 0);
}

} // namespace
