#include "TestDrawings.h"

#include <importer/CadImporter.h>

#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-9;

struct ExpectedHole {
    bool circle;
    double x, y;     // centre of a circle, or of the box of a polygon
    double size;     // diameter of a circle, or width of the polygon's box
    double depth;
};

void expectHoles(const GU_OwnedList<GK_Hole>& holes, const std::vector<ExpectedHole>& expected)
{
    ASSERT_EQ(holes.count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("hole " + std::to_string(i));
        const GK_Hole* hole = holes[i];
        const ExpectedHole& e = expected[i];
        ASSERT_EQ(hole->is_circle() != 0, e.circle);
        EXPECT_NEAR(hole->get_z(), e.depth, kExact);
        if (e.circle) {
            const auto* circle = static_cast<const GK_Circle_Hole*>(hole);
            EXPECT_NEAR(circle->get_cen().x, e.x, kExact);
            EXPECT_NEAR(circle->get_cen().y, e.y, kExact);
            EXPECT_NEAR(2.0 * circle->get_radius(), e.size, kExact);
        } else {
            ASSERT_NE(hole->get_loop(), nullptr);
            const GK_Box box = loopBox(*hole->get_loop());
            EXPECT_NEAR((box.x0 + box.x1) / 2, e.x, kExact);
            EXPECT_NEAR((box.y0 + box.y1) / 2, e.y, kExact);
            EXPECT_NEAR(box.x1 - box.x0, e.size, kExact);
        }
    }
}

class LockCoreImport : public ::testing::Test {
protected:
    const GK_LockCore& import(const std::string& path)
    {
        EXPECT_EQ(importer.import_lockcore_from_cad_file(path), 0) << importer.report().failure;
        const GK_LockCore* model = importer.get_lockcore_model();
        if (!model)
            throw std::runtime_error("no lock core from " + path);
        EXPECT_EQ(importer.get_hinges_model(), nullptr);
        return *model;
    }

    CadImporter importer{readerParser()};
};

TEST_F(LockCoreImport, ChineseLayerNamesDecideTopAndSideEvenWhenTheTopIsDrawnLower)
{
    const GK_LockCore& core = import(testDrawing("lockcore_gbk.dxf"));
    EXPECT_NEAR(loopArea(core.GetTopLoop()), 60.0 * 20.0, kExact);
    EXPECT_NEAR(loopArea(core.GetSideLoop()), 80.0 * 20.0, kExact);
    expectHoles(core.GetTopList(), {{true, 10, 10, 6, 15}, {false, 35, 10, 10, 0}});
    expectHoles(core.GetSideList(), {{true, 40, 60, 10, 0}});
    EXPECT_EQ(importer.report().codePage.find("ANSI_936"), 0u);
}

TEST_F(LockCoreImport, LayerNamesAreMatchedWithoutRegardToCase)
{
    const GK_LockCore& core = import(testDrawing("lockcore_layers.dxf"));
    EXPECT_NEAR(loopBox(core.GetTopLoop()).y1, 20.0, kExact);
    EXPECT_NEAR(loopBox(core.GetSideLoop()).y1, 70.0, kExact);
}

TEST_F(LockCoreImport, WithoutLayerNamesTheHigherOutlineIsTheTop)
{
    const GK_LockCore& core = import(testDrawing("lockcore_position.dxf"));
    EXPECT_NEAR(loopBox(core.GetTopLoop()).y0, 40.0, kExact);
    EXPECT_NEAR(loopBox(core.GetSideLoop()).y0, 0.0, kExact);
    // Circles and polygon holes of a face keep their drawing order.
    expectHoles(core.GetTopList(), {{true, 10, 50, 6, 0}, {false, 35, 50, 10, 0}, {true, 50, 50, 4, 0}});
    expectHoles(core.GetSideList(), {{true, 20, 10, 8, 0}});
    EXPECT_EQ(importer.report().holes, 4u);
}

TEST_F(LockCoreImport, LockCoreSample)
{
    const GK_LockCore& core = import(sampleDrawing("lockcore_plate.dxf"));
    expectHoles(core.GetTopList(), {{true, 12, 80, 5, 5}, {true, 12, 275, 5, 5}, {false, 12, 177.5, 10, 0}});
    expectHoles(core.GetSideList(), {{true, 70, 40, 22, 60}, {false, 70, 125, 16, 0}});
}

struct RefusedCase {
    const char* name;
    const char* file;
    ImportProblem problem;
};

class LockCoreRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(LockCoreRefused, GivesNoModelAndSaysWhy)
{
    CadImporter importer{readerParser()};
    EXPECT_NE(importer.import_lockcore_from_cad_file(testDrawing(GetParam().file)), 0);
    EXPECT_EQ(importer.get_lockcore_model(), nullptr);
    EXPECT_EQ(importer.report().failure.problem, GetParam().problem) << importer.report().failure;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, LockCoreRefused,
    ::testing::Values(RefusedCase{"OneOutline", "lockcore_single.dxf", ImportProblem::OneOutline},
                      RefusedCase{"SecondOutlineInsideTheFirst", "hinge_rounded.dxf", ImportProblem::NestedOutlines},
                      RefusedCase{"TooLargeOnceExpanded", "blocks_bomb.dxf", ImportProblem::TooManyPlaced}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

TEST(LockCoreBlocks, BlockContentOnLayerZeroTakesTheLayerOfTheReference)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_lockcore_from_cad_file(testDrawing("lockcore_blocks.dxf")), 0)
        << importer.report().failure;
    const GK_LockCore& core = *importer.get_lockcore_model();
    // The reference on layer TOP is the lower, stretched one.
    EXPECT_NEAR(loopArea(core.GetTopLoop()), 60.0 * 20.0, 1e-9);
    EXPECT_NEAR(loopBox(core.GetSideLoop()).y0, 100.0, 1e-9);
    ASSERT_EQ(core.GetTopList().count(), 1u);
    ASSERT_EQ(core.GetSideList().count(), 1u);
}

} // namespace
