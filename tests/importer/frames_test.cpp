#include "TestDrawings.h"

#include <importer/CadImporter.h>
#include <importer/ImportProgress.h>
#include <importer/LayerRoles.h>
#include <importer/SheetLayout.h>

#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-9;

struct Rect {
    double minX, minY, width, height;
};

void expectRect(const GU_Loop& loop, const Rect& r)
{
    const GK_Box box = loopBox(loop);
    EXPECT_NEAR(box.x0, r.minX, kExact);
    EXPECT_NEAR(box.y0, r.minY, kExact);
    EXPECT_NEAR(box.x1 - box.x0, r.width, kExact);
    EXPECT_NEAR(box.y1 - box.y0, r.height, kExact);
}

struct HingeSheet {
    const char* name;
    const char* file;
    Rect outline;
    std::size_t holes, frames, parts;
};

class FramedHinge : public ::testing::TestWithParam<HingeSheet> {};

// The frame, its inner border and its title block are never the hinge; the
// hinge comes with its own holes only.
TEST_P(FramedHinge, TakesThePartNotTheFrame)
{
    const HingeSheet& c = GetParam();
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_hinges_from_cad_file(testDrawing(c.file)), 0) << importer.report().failure;
    const GK_Hinges* hinges = importer.get_hinges_model();
    ASSERT_NE(hinges, nullptr);
    expectRect(hinges->GetLoopOut(), c.outline);
    EXPECT_EQ(hinges->GetListHole().count(), c.holes);
    EXPECT_EQ(importer.report().holes, c.holes);
    EXPECT_EQ(importer.report().frames, c.frames);
    EXPECT_EQ(importer.report().parts, c.parts);
    EXPECT_EQ(importer.report().leftInside, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, FramedHinge,
    ::testing::Values(HingeSheet{"FrameOnItsLayer", "frame_hinge.dxf", {60, 100, 60, 45}, 2, 3, 1},
                      HingeSheet{"FrameOnLayer0", "frame_hinge_layer0.dxf", {60, 100, 60, 45}, 2, 3, 1},
                      HingeSheet{"ThreeHingesTheLargest", "frame_three_hinges.dxf", {115, 110, 70, 48}, 3, 3, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FramedLockCore, TheTitleBlockIsNoFace)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_lockcore_from_cad_file(testDrawing("frame_lockcore.dxf")), 0)
        << importer.report().failure;
    const GK_LockCore* core = importer.get_lockcore_model();
    ASSERT_NE(core, nullptr);
    expectRect(core->GetTopLoop(), {40, 150, 150, 24});
    expectRect(core->GetSideLoop(), {40, 90, 150, 40});
    EXPECT_EQ(core->GetTopList().count(), 3u);
    EXPECT_EQ(core->GetSideList().count(), 1u);
    EXPECT_EQ(importer.report().frames, 3u);
    EXPECT_EQ(importer.report().parts, 2u);
}

TEST(FrameOnly, BothImportsSayThereIsNoPart)
{
    CadImporter importer{readerParser()};
    EXPECT_NE(importer.import_hinges_from_cad_file(testDrawing("frame_only.dxf")), 0);
    EXPECT_EQ(importer.report().failure.problem, ImportProblem::NoPart);
    EXPECT_EQ(importer.report().frames, 2u);
    EXPECT_EQ(importer.sheet(), nullptr);
    EXPECT_NE(importer.import_lockcore_from_cad_file(testDrawing("frame_only.dxf")), 0);
    EXPECT_EQ(importer.report().failure.problem, ImportProblem::NoPart);
}

// Another part of the sheet can be chosen after the import; frames cannot.
TEST(ChoosePart, AnotherHingeOfTheSheetReplacesTheModel)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_hinges_from_cad_file(testDrawing("frame_three_hinges.dxf")), 0);
    const ImportSheet* sheet = importer.sheet();
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->layout.parts.size(), 3u);
    const std::size_t left = sheet->layout.parts[0];
    EXPECT_EQ(importer.hingesOutline(), sheet->layout.parts[1]);

    EXPECT_FALSE(importer.chooseHingesOutline(sheet->layout.frames[0]));
    EXPECT_FALSE(importer.chooseHingesOutline(sheet->geometry.outlines.size()));
    ASSERT_TRUE(importer.chooseHingesOutline(left));
    expectRect(importer.get_hinges_model()->GetLoopOut(), {35, 110, 60, 45});
    EXPECT_EQ(importer.get_hinges_model()->GetListHole().count(), 2u);
    EXPECT_EQ(importer.report().holes, 2u);
    EXPECT_EQ(importer.report().parts, 3u);
    EXPECT_EQ(importer.hingesOutline(), left);
}

TEST(ChoosePart, LockCoreFacesSwapAndRefuseTheSameTwice)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_lockcore_from_cad_file(testDrawing("frame_lockcore.dxf")), 0);
    const LockCoreFaces faces = *importer.lockCoreFaces();
    EXPECT_FALSE(importer.chooseLockCoreFaces({faces.top, faces.top}));
    ASSERT_TRUE(importer.chooseLockCoreFaces({faces.side, faces.top}));
    expectRect(importer.get_lockcore_model()->GetTopLoop(), {40, 90, 150, 40});
    EXPECT_EQ(importer.get_lockcore_model()->GetTopList().count(), 1u);
    EXPECT_EQ(importer.get_lockcore_model()->GetSideList().count(), 3u);
    importer.clear_all_model();
    EXPECT_EQ(importer.sheet(), nullptr);
    EXPECT_FALSE(importer.chooseLockCoreFaces(faces));
}

TEST(LayerRoles, NamesInAnyCaseAndWidth)
{
    const std::pair<const char*, LayerRole> cases[] = {
        {"图框", LayerRole::Frame},          {"A4边框", LayerRole::Frame},      {"标题栏", LayerRole::Frame},
        {"frame", LayerRole::Frame},         {"ＢＯＲＤＥＲ", LayerRole::Frame}, {"ｔｉｔｌｅ", LayerRole::Frame},
        {"中心线", LayerRole::Annotation},   {"标注", LayerRole::Annotation},   {"尺寸线", LayerRole::Annotation},
        {"Center", LayerRole::Annotation},   {"DIMS", LayerRole::Annotation},   {"hatch", LayerRole::Annotation},
        {"Ｔｅｘｔ", LayerRole::Annotation}, {"0", LayerRole::Ordinary},        {"轮廓", LayerRole::Ordinary},
        {"TOP", LayerRole::Ordinary},
    };
    for (const auto& [name, role] : cases)
        EXPECT_EQ(layerRoleOf(name), role) << name;
}

Outline rectangle(double x0, double y0, double x1, double y1, std::size_t order)
{
    Outline o;
    o.points = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    o.box = boundingBox(o.points);
    o.area = (x1 - x0) * (y1 - y0);
    o.centroid = areaCentroid(o.points);
    o.order = order;
    return o;
}

struct ShapeCase {
    const char* name;
    bool textInside, circleDirectly, outlineInside, cutCorner;
    bool frame;
};

class FrameByShape : public ::testing::TestWithParam<ShapeCase> {};

// Only a rectangle holding text and another outline, with no hole of its own,
// frames the sheet; a part with a pocket or a label stays a part.
TEST_P(FrameByShape, NeedsRectangleTextAndContent)
{
    const ShapeCase& c = GetParam();
    ImportGeometry g;
    g.layers = {"0"};
    g.outlines.push_back(rectangle(0, 0, 200, 100, 0));
    if (c.cutCorner)
        g.outlines[0].points.insert(g.outlines[0].points.begin() + 1, position{190, -5, 0});
    if (c.outlineInside)
        g.outlines.push_back(rectangle(20, 20, 80, 60, 1));
    if (c.circleDirectly)
        g.circles.push_back({{150, 50, 0}, 5, 0, 0, 2});
    if (c.textInside)
        g.annotations.push_back({150, 20, 0});
    const SheetLayout layout = layOutSheet(g, TextEncoding{}, ImportProgress{});
    EXPECT_EQ(layout.frames.size(), c.frame ? 1u : 0u);
    EXPECT_EQ(layout.isCandidate[0], !c.frame);
}

INSTANTIATE_TEST_SUITE_P(Rows, FrameByShape,
                         ::testing::Values(ShapeCase{"Frame", true, false, true, false, true},
                                           ShapeCase{"NoText", false, false, true, false, false},
                                           ShapeCase{"HoleOfItsOwn", true, true, true, false, false},
                                           ShapeCase{"NothingInside", true, false, false, false, false},
                                           ShapeCase{"NoRectangle", true, false, true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
