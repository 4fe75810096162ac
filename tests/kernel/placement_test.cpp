#include <kernel/GK_Factories.h>
#include <kernel/GK_Placement.h>

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
