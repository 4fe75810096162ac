#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/LockCoreFile.h>

namespace {
const char* const kTriangle = "<Pos X=\"0\" Y=\"0\"/><Pos X=\"10\" Y=\"0\"/><Pos X=\"10\" Y=\"5\"/>";

std::unique_ptr<GK_LockCore> load(TempLibrary& lib, const std::string& body)
{
    lib.write("Lockcores/t.xml", body);
    return LoadLockCoreFile(lib.path("Lockcores/t.xml")).model;
}

std::string lockCore(const std::string& top, const std::string& side, const std::string& rest)
{
    return "<Lockcore Name=\"L\" Comments=\"c\"><PtlistTop>" + top + "</PtlistTop><PtlistSide>" + side +
           "</PtlistSide>" + rest + "</Lockcore>";
}
} // namespace

TEST(LockCoreFile, RoundTripKeepsFacesKindsAndOrder)
{
    TempLibrary lib;
    auto model = api_gk_make_lockcore({{0, 0, 0}, {60, 0, 0}, {60, 20, 0}}, {{0, 0, 0}, {24, 0, 0}, {24, 20.123, 0}});
    model->SetName("L" + kGbkTrailA);
    model->SetComments(kGbkHinge);
    model->SetThick(24);
    model->GetTopList().add_tail(api_gk_make_circle_hole({30, 10, 0}, 16, -5));
    model->GetTopList().add_tail(api_gk_make_hole({{1, 1, 0}, {3, 1, 0}, {3, 3, 0}, {1, 3, 0}}, 5));
    model->GetSideList().add_tail(api_gk_make_circle_hole({2, 2, 0}, 4, 1));
    const SaveResult saved = SaveLockCoreFile(model.get(), lib.context());
    ASSERT_TRUE(saved) << static_cast<int>(saved.problem);

    const auto back = LoadLockCoreFile(saved.path).model;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), model->GetName());
    EXPECT_EQ(back->GetComments(), kGbkHinge);
    EXPECT_DOUBLE_EQ(back->GetThick(), 24);
    EXPECT_EQ(back->GetSideLoop().vertex(2), (position{24, 20.12, 0}));
    ASSERT_EQ(back->GetTopList().count(), 2u);
    ASSERT_EQ(back->GetSideList().count(), 1u);
    const GK_Hole* circle = back->GetTopList()[0];
    ASSERT_TRUE(circle->is_circle());
    EXPECT_DOUBLE_EQ(static_cast<const GK_Circle_Hole*>(circle)->get_radius(), 8);
    EXPECT_DOUBLE_EQ(circle->get_z(), -5);
    const GK_Hole* polygon = back->GetTopList()[1];
    ASSERT_FALSE(polygon->is_circle());
    ASSERT_TRUE(polygon->get_loop());
    EXPECT_EQ(polygon->get_loop()->count(), 4u);
    EXPECT_DOUBLE_EQ(polygon->get_z(), 0); // the polygon form stores no depth
    EXPECT_TRUE(back->GetSideList()[0]->is_circle());
}

TEST(LockCoreFile, EachOutlineNeedsThreeVertices)
{
    TempLibrary lib;
    EXPECT_FALSE(load(lib, lockCore(kTriangle, "<Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/>", "")));
    EXPECT_FALSE(load(lib, "<Lockcore><PtlistTop>" + std::string(kTriangle) + "</PtlistTop></Lockcore>"));
    const auto model = load(lib, lockCore(kTriangle, kTriangle, ""));
    ASSERT_TRUE(model);
    EXPECT_TRUE(model->GetTopList().empty());
    EXPECT_TRUE(model->GetSideList().empty());
    EXPECT_DOUBLE_EQ(model->GetThick(), 0.0);
}

TEST(LockCoreFile, IncompleteHolesAreLeftOutWhileTheModelLoads)
{
    TempLibrary lib;
    const auto model = load(lib, lockCore(kTriangle, kTriangle,
                                          "<TopHoles><Hole Type=\"1\" X=\"1\" Y=\"2\" Diameter=\"3\"/>"
                                          "<Hole X=\"1\" Y=\"2\" Diameter=\"3\" Depth=\"4\"/>"
                                          "<Hole Type=\"0\"><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Hole>"
                                          "</TopHoles>"));
    ASSERT_TRUE(model);
    ASSERT_EQ(model->GetTopList().count(), 1u);
    EXPECT_TRUE(model->GetTopList()[0]->is_circle());
    EXPECT_DOUBLE_EQ(model->GetTopList()[0]->get_z(), 0);
}

TEST(LockCoreFile, NonFiniteHoleNumbersRefuseTheFile)
{
    TempLibrary lib;
    EXPECT_FALSE(load(lib, lockCore(kTriangle, kTriangle, "<SideHoles><Hole Type=\"1\" Depth=\"-inf\"/></SideHoles>")));
    EXPECT_FALSE(SaveLockCoreFile(nullptr, lib.context()));
}
