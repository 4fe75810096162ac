#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>

#include <cmath>

namespace {
const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\" ?>\n";
const char* const kTriangle = "<Pos X=\"0\" Y=\"0\"/><Pos X=\"10\" Y=\"0\"/><Pos X=\"10\" Y=\"5\"/>";

std::unique_ptr<GK_Hinges> load(TempLibrary& lib, const std::string& body)
{
    lib.write("Hinges/t.xml", kDeclaration + body);
    return LoadHingesFile(lib.path("Hinges/t.xml")).model;
}
} // namespace

TEST(HingesFile, RoundTripKeepsTextsBytesAndRoundsNumbers)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {100.004, 0, 0}, {100, 35.126, 0}, {0, 35, 0}});
    hinge->SetName(kGbkHinge + kGbkTrailA + "x");
    hinge->SetComments(kGbkTrailA + " <&> \"q\"");
    hinge->SetThick(2.5);
    hinge->AddHoleToList(api_gk_make_circle_hole({20, 17.5, 3}, 8, -12.5).release());
    hinge->AddHoleToList(api_gk_make_circle_hole({80, 17.5, 0}, 35, 11).release());
    const SaveResult saved = SaveHingesFile(hinge.get(), lib.context());
    ASSERT_TRUE(saved) << static_cast<int>(saved.problem);
    EXPECT_EQ(saved.path, lib.path("Hinges/\xE5\x90\x88\xE9\xA1\xB5\xE5\x82\xBEx.xml"));

    const auto back = LoadHingesFile(saved.path).model;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetName(), hinge->GetName());
    EXPECT_EQ(back->GetComments(), hinge->GetComments());
    EXPECT_DOUBLE_EQ(back->GetThick(), 2.5);
    const std::vector<position> outline{{0, 0, 0}, {100, 0, 0}, {100, 35.13, 0}, {0, 35, 0}};
    EXPECT_EQ(back->GetLoopOut().vertices(), outline);
    ASSERT_EQ(back->GetListHole().count(), 2u);
    const GK_Circle_Hole* first = back->GetListHole()[0];
    EXPECT_EQ(first->get_cen(), (position{20, 17.5, 0}));
    EXPECT_DOUBLE_EQ(first->get_radius(), 4);
    EXPECT_DOUBLE_EQ(first->get_z(), -12.5);
    EXPECT_DOUBLE_EQ(back->GetListHole()[1]->get_radius(), 17.5);
}

TEST(HingesFile, HingeWithoutHolesWritesAnEmptyHolesElement)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    ASSERT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
    EXPECT_NE(lib.read("Hinges/.xml").find("<Holes />"), std::string::npos);
    const auto back = LoadHingesFile(lib.path("Hinges/.xml")).model;
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->GetListHole().empty());
}

TEST(HingesFile, ReadsVariantFiles)
{
    TempLibrary lib;
    // Any root name; no Thick keeps the kernel's thickness; Ptlist after Holes.
    auto model = load(lib, std::string("<Model Name=\"n\"><Holes/><Ptlist>") + kTriangle + "</Ptlist></Model>");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->GetName(), "n");
    EXPECT_EQ(model->GetComments(), "");
    EXPECT_DOUBLE_EQ(model->GetThick(), 0.0);

    // "Type" 0 is still a circle hole; misplaced Pos and Hole are ignored;
    // a missing hole attribute counts as 0.
    model = load(lib, std::string("<Hinges><Ptlist>") + kTriangle + "<Hole X=\"1\" Y=\"1\" Diameter=\"2\"/></Ptlist>" +
                          "<Holes><Pos X=\"1\" Y=\"1\"/><Hole Type=\"0\" X=\"1\" Y=\"2\" Diameter=\"6\"/></Holes></Hinges>");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->GetLoopOut().count(), 3u);
    ASSERT_EQ(model->GetListHole().count(), 1u);
    EXPECT_DOUBLE_EQ(model->GetListHole()[0]->get_radius(), 3);
    EXPECT_DOUBLE_EQ(model->GetListHole()[0]->get_z(), 0);

    // Without Holes: no holes.
    model = load(lib, std::string("<Hinges><Ptlist>") + kTriangle + "</Ptlist></Hinges>");
    ASSERT_TRUE(model);
    EXPECT_TRUE(model->GetListHole().empty());
}

TEST(HingesFile, OutlineNeedsThreeCompleteVertices)
{
    TempLibrary lib;
    EXPECT_FALSE(load(lib, "<Hinges><Ptlist><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/></Ptlist></Hinges>"));
    EXPECT_FALSE(load(lib, "<Hinges><Ptlist><Pos X=\"0\" Y=\"0\"/><Pos X=\"1\" Y=\"0\"/><Pos X=\"1\"/></Ptlist></Hinges>"));
    EXPECT_FALSE(load(lib, "<Hinges><Holes/></Hinges>"));
    const auto model = load(lib, std::string("<Hinges><Ptlist>") + kTriangle + "<Pos X=\"5\"/></Ptlist></Hinges>");
    ASSERT_TRUE(model);
    EXPECT_EQ(model->GetLoopOut().count(), 3u);
    EXPECT_FALSE(LoadHingesFile("").model);
}

TEST(HingesFile, NonFiniteNumbersRefuseTheFileAndTheModel)
{
    TempLibrary lib;
    EXPECT_FALSE(load(lib, std::string("<Hinges Thick=\"nan\"><Ptlist>") + kTriangle + "</Ptlist></Hinges>"));
    EXPECT_FALSE(load(lib, "<Hinges><Ptlist><Pos X=\"0\" Y=\"0\"/><Pos X=\"1e999\" Y=\"0\"/><Pos X=\"1\" Y=\"1\"/></Ptlist></Hinges>"));
    EXPECT_FALSE(load(lib, std::string("<Hinges><Ptlist>") + kTriangle + "</Ptlist><Holes><Hole Diameter=\"inf\"/></Holes></Hinges>"));

    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("bad");
    hinge->SetThick(std::nan(""));
    const SaveResult saved = SaveHingesFile(hinge.get(), lib.context());
    EXPECT_EQ(saved.problem, SaveProblem::NotFinite);
    EXPECT_FALSE(std::filesystem::exists(lib.path("Hinges/bad.xml")));
    EXPECT_FALSE(SaveHingesFile(nullptr, lib.context()));
}

TEST(HingesFile, MortiseMarkIsWrittenOnlyWhenSetAndReadOnlyAsOne)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("m");
    hinge->SetThick(3);
    hinge->SetMortise(true);
    ASSERT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
    EXPECT_NE(lib.read("Hinges/m.xml").find("<Hinges Name=\"m\" Comments=\"\" Thick=\"3.00\" Mortise=\"1\">"),
              std::string::npos);
    const auto back = LoadHingesFile(lib.path("Hinges/m.xml")).model;
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->GetMortise());
    EXPECT_TRUE(gk_copy(*back)->GetMortise());

    hinge->SetMortise(false);
    ASSERT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
    EXPECT_EQ(lib.read("Hinges/m.xml").find("Mortise"), std::string::npos);

    const std::pair<const char*, bool> marks[] = {
        {"", false}, {" Mortise=\"1\"", true}, {" Mortise=\" 1\"", true}, {" Mortise=\"0\"", false},
        {" Mortise=\"2\"", false}, {" Mortise=\"yes\"", false}, {" mortise=\"1\"", false},
    };
    for (const auto& [attribute, mortised] : marks) {
        const auto model = load(lib, std::string("<Hinges") + attribute + "><Ptlist>" + kTriangle + "</Ptlist></Hinges>");
        ASSERT_TRUE(model) << attribute;
        EXPECT_EQ(model->GetMortise(), mortised) << attribute;
    }
}
