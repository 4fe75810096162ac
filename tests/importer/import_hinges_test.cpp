#include "TestDrawings.h"

#include <importer/CadImporter.h>

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kExact = 1e-9;
constexpr double kChord = 0.01;

struct ExpectedHole {
    double x, y, diameter, depth;
};

void expectHoles(const GK_Hinges& hinges, const std::vector<ExpectedHole>& expected)
{
    ASSERT_EQ(hinges.GetListHole().count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const GK_Circle_Hole* hole = hinges.GetListHole()[i];
        SCOPED_TRACE("hole " + std::to_string(i));
        EXPECT_NEAR(hole->get_cen().x, expected[i].x, kExact);
        EXPECT_NEAR(hole->get_cen().y, expected[i].y, kExact);
        EXPECT_NEAR(2.0 * hole->get_radius(), expected[i].diameter, kExact);
        EXPECT_NEAR(hole->get_z(), expected[i].depth, kExact);
        EXPECT_EQ(hole->get_cen().z, 0.0);
    }
}

bool hasVertex(const GU_Loop& loop, double x, double y)
{
    for (const position& p : loop)
        if (std::abs(p.x - x) < kExact && std::abs(p.y - y) < kExact)
            return true;
    return false;
}

class HingeImport : public ::testing::Test {
protected:
    const GK_Hinges& import(const std::string& name)
    {
        const int rc = importer.import_hinges_from_cad_file(testDrawing(name));
        EXPECT_EQ(rc, 0) << importer.report().failure;
        EXPECT_FALSE(importer.report().failure) << importer.report().failure;
        const GK_Hinges* model = importer.get_hinges_model();
        if (!model)
            throw std::runtime_error("no model from " + name);
        return *model;
    }

    CadImporter importer{readerParser()};
};

TEST_F(HingeImport, RoundedPlateWithBulgesAndThreeHoles)
{
    const GK_Hinges& hinges = import("hinge_rounded.dxf");
    const double exactArea = 60.0 * 40.0 - (4.0 - std::numbers::pi) * 25.0;
    const double arcLength = 2.0 * std::numbers::pi * 5.0;
    EXPECT_LE(loopArea(hinges.GetLoopOut()), exactArea);
    EXPECT_GE(loopArea(hinges.GetLoopOut()), exactArea - arcLength * kChord);
    const GK_Box box = loopBox(hinges.GetLoopOut());
    EXPECT_NEAR(box.x0, 0.0, kExact);
    EXPECT_NEAR(box.x1, 60.0, kExact);
    EXPECT_NEAR(box.y0, 0.0, kExact);
    EXPECT_NEAR(box.y1, 40.0, kExact);
    for (const position& p : hinges.GetLoopOut())
        EXPECT_EQ(p.z, 0.0);
    // Depth from thickness when there is one, else from the elevation.
    expectHoles(hinges, {{20, 20, 35, -12.5}, {45, 10, 8, -10}, {45, 30, 8, 8}});
}

TEST_F(HingeImport, ReportCountsSkippedEntitiesAndWhatWasLeftOut)
{
    import("hinge_rounded.dxf");
    const ImportReport& r = importer.report();
    EXPECT_EQ(r.holes, 3u);
    EXPECT_EQ(r.leftInside, 1u);
    EXPECT_EQ(r.circles, 4u);
    const SkippedKind kinds[] = {
        {SkipReason::Unsupported, "TEXT"},  {SkipReason::Unsupported, "MTEXT"}, {SkipReason::Unsupported, "DIMENSION"},
        {SkipReason::Unsupported, "HATCH"}, {SkipReason::Unsupported, "POINT"}, {SkipReason::PaperSpace, ""},
    };
    for (const SkippedKind& kind : kinds) {
        ASSERT_TRUE(r.skipped.contains(kind)) << kind.entity;
        EXPECT_EQ(r.skipped.at(kind), 1u) << kind.entity;
    }
    EXPECT_EQ(r.skippedTotal(), 6u);
    ASSERT_TRUE(r.unit);
    EXPECT_EQ(r.unit->code, 4);
    EXPECT_EQ(r.unit->insunits, 4);
}

TEST_F(HingeImport, LineAndArcPiecesInMixedDirectionsChainIntoOneOutline)
{
    const GK_Hinges& hinges = import("chain_mixed.dxf");
    const double exactArea = 50.0 * 20.0 + std::numbers::pi * 100.0;
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), exactArea, 2.0 * std::numbers::pi * 10.0 * kChord);
    expectHoles(hinges, {{25, 10, 6, 0}});
    EXPECT_TRUE(importer.report().openChains.empty());
}

struct BlockCase {
    const char* file;
    double area;
    std::vector<ExpectedHole> holes;
};

class BlockImport : public HingeImport, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockImport, PlacesBlockContent)
{
    const BlockCase& c = GetParam();
    const GK_Hinges& hinges = import(c.file);
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), c.area, 1e-6);
    expectHoles(hinges, c.holes);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockImport,
    ::testing::Values(BlockCase{"blocks_scaled.dxf", 1600.0, {{100, 0, 8, 0}}},
                      BlockCase{"blocks_mirror_rotate.dxf", 20.0 * 5.0 + 5.0 * 10.0, {{47.5, 47.5, 2, 0}}},
                      BlockCase{"blocks_nested.dxf", 225.0, {{100, 100 + 7.5 * std::numbers::sqrt2, 6, 0}}},
                      BlockCase{"blocks_array.dxf",
                                10000.0,
                                {{10, 10, 2, 0}, {30, 10, 2, 0}, {50, 10, 2, 0}, {10, 40, 2, 0}, {30, 40, 2, 0},
                                 {50, 40, 2, 0}}},
                      BlockCase{"blocks_recursive.dxf", 400.0, {{0, 0, 2, 0}}}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST_F(HingeImport, MirroredAndRotatedBlockLandsWhereTheReferenceSays)
{
    const GK_Hinges& hinges = import("blocks_mirror_rotate.dxf");
    // x mirrored, then turned a quarter: (x, y) -> (50 - y, 50 - x).
    const double expected[][2] = {{50, 50}, {50, 30}, {45, 30}, {45, 45}, {35, 45}, {35, 50}};
    ASSERT_EQ(hinges.GetLoopOut().count(), 6u);
    for (const auto& v : expected)
        EXPECT_TRUE(hasVertex(hinges.GetLoopOut(), v[0], v[1])) << v[0] << "," << v[1];
}

TEST_F(HingeImport, SelfReferencingAndMissingBlocksAreReportedNotFollowed)
{
    import("blocks_recursive.dxf");
    const auto& notes = importer.report().notes;
    auto noted = [&](NoteKind kind, const std::string& block) {
        return std::any_of(notes.begin(), notes.end(),
                           [&](const ImportNote& n) { return n.kind == kind && n.block == block; });
    };
    EXPECT_TRUE(noted(NoteKind::BlockSelfReference, "SELF"));
    EXPECT_TRUE(noted(NoteKind::MissingBlock, "MISSING"));
}

TEST_F(HingeImport, RationalSplineStaysWithinTheChordErrorOfItsCircle)
{
    const GK_Hinges& hinges = import("spline_rational.dxf");
    const double exactArea = std::numbers::pi * 1600.0 / 4.0;
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), exactArea, 20.0 * std::numbers::pi * kChord);
    const GU_Loop& loop = hinges.GetLoopOut();
    for (std::size_t i = 0; i < loop.count(); ++i) {
        const position& a = loop.vertex(i);
        const position& b = loop.vertex((i + 1) % loop.count());
        if (std::min({a.x, a.y, b.x, b.y}) < kExact)
            continue; // the straight edges along the axes
        EXPECT_NEAR(std::hypot(a.x, a.y), 40.0, kExact);
        EXPECT_GE(std::hypot((a.x + b.x) / 2, (a.y + b.y) / 2), 40.0 - kChord);
    }
    expectHoles(hinges, {{10, 10, 4, 0}});
}

TEST_F(HingeImport, FitPointSplinePassesThroughItsFitPoints)
{
    const GK_Hinges& hinges = import("spline_fit.dxf");
    for (const auto& v : {std::pair{10.0, 6.0}, {20.0, 4.0}, {0.0, 0.0}, {30.0, 0.0}})
        EXPECT_TRUE(hasVertex(hinges.GetLoopOut(), v.first, v.second)) << v.first << "," << v.second;
}

struct CurveCase {
    const char* file;
    double area;
    double perimeter;
    GK_Box box;
};

class CurveImport : public HingeImport, public ::testing::WithParamInterface<CurveCase> {};

TEST_P(CurveImport, OutlineMatchesTheCurveWithinTheChordError)
{
    const CurveCase& c = GetParam();
    const GK_Hinges& hinges = import(c.file);
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), c.area, c.perimeter * kChord);
    const GK_Box box = loopBox(hinges.GetLoopOut());
    EXPECT_NEAR(box.x0, c.box.x0, kChord);
    EXPECT_NEAR(box.y0, c.box.y0, kChord);
    EXPECT_NEAR(box.x1, c.box.x1, kChord);
    EXPECT_NEAR(box.y1, c.box.y1, kChord);
}

INSTANTIATE_TEST_SUITE_P(
    Curves, CurveImport,
    ::testing::Values(CurveCase{"ellipse_full.dxf", std::numbers::pi * 30 * 15, 150.0, {-30, -15, 30, 15}},
                      CurveCase{"ellipse_half.dxf", std::numbers::pi * 30 * 15 / 2, 75.0, {0, -30, 15, 30}},
                      CurveCase{"polyline_r12.dxf", 800 + std::numbers::pi * 50, 32.0, {0, 0, 50, 20}},
                      CurveCase{"extrusion_mirrored.dxf", std::numbers::pi * 12.5, 16.0, {-15, 0, -5, 5}}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST_F(HingeImport, CircleSeenFromBelowIsMirroredToo)
{
    const GK_Hinges& hinges = import("extrusion_mirrored.dxf");
    expectHoles(hinges, {{-10, 1, 2, 0}});
}

TEST_F(HingeImport, InchDrawingIsScaledToMillimetres)
{
    const GK_Hinges& hinges = import("units_inches.dxf");
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), 50.8 * 50.8, 1e-6);
    expectHoles(hinges, {{25.4, 25.4, 12.7, 12.7}});
    ASSERT_TRUE(importer.report().unit);
    EXPECT_EQ(importer.report().unit->code, 1);
    EXPECT_DOUBLE_EQ(importer.report().unit->millimetres, 25.4);
}

TEST_F(HingeImport, AlmostClosedChainIsClosedAndReportedWithItsGap)
{
    const GK_Hinges& hinges = import("almost_closed.dxf");
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), 2500.0, 1e-6);
    expectHoles(hinges, {{25, 25, 8, 0}});
    const auto& chains = importer.report().openChains;
    ASSERT_EQ(chains.size(), 2u);
    EXPECT_TRUE(chains[0].closedAnyway);
    EXPECT_NEAR(chains[0].gap, 0.5, 1e-9);
    EXPECT_EQ(chains[0].pieces, 4u);
    EXPECT_FALSE(chains[1].closedAnyway);
    EXPECT_NEAR(chains[1].gap, 5.0, 1e-9);
    EXPECT_EQ(importer.report().outlines, 1u);
    EXPECT_EQ(importer.report().closedAnyway(), 1u);
}

TEST_F(HingeImport, EntitiesWithUnusableNumbersAreSkippedAndTheRestImports)
{
    const GK_Hinges& hinges = import("bad_numbers.dxf");
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), 400.0, 1e-9);
    expectHoles(hinges, {{5, 5, 2, 0}});
    EXPECT_GE(importer.report().skippedTotal(), 2u);
}

TEST_F(HingeImport, CupHingeSample)
{
    const int rc = importer.import_hinges_from_cad_file(sampleDrawing("hinge_cup.dxf"));
    ASSERT_EQ(rc, 0) << importer.report().failure;
    expectHoles(*importer.get_hinges_model(), {{24, 24, 35, 12}, {56, 14, 8, 10}, {56, 34, 8, 10}});
}

TEST_F(HingeImport, ModelStaysOwnedUntilClearedOrReplaced)
{
    import("chain_mixed.dxf");
    ASSERT_NE(importer.get_hinges_model(), nullptr);
    EXPECT_EQ(importer.get_lockcore_model(), nullptr);
    importer.clear_all_model();
    EXPECT_EQ(importer.get_hinges_model(), nullptr);

    import("chain_mixed.dxf");
    EXPECT_NE(importer.import_hinges_from_cad_file(testDrawing("empty.dxf")), 0);
    EXPECT_EQ(importer.get_hinges_model(), nullptr);
    EXPECT_TRUE(importer.report().failure);
}

} // namespace

namespace {

TEST(StretchedBlock, CircleScaledUnevenlyBecomesAnEllipticOutline)
{
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_hinges_from_cad_file(testDrawing("blocks_stretched.dxf")), 0)
        << importer.report().failure;
    const GK_Hinges& hinges = *importer.get_hinges_model();
    EXPECT_NEAR(loopArea(hinges.GetLoopOut()), std::numbers::pi * 10 * 5, 0.5);
    const GK_Box box = loopBox(hinges.GetLoopOut());
    EXPECT_NEAR(box.x1, 10.0, 1e-9);
    EXPECT_NEAR(box.y1, 5.0, 0.01);
    ASSERT_EQ(hinges.GetListHole().count(), 1u);
    EXPECT_NEAR(hinges.GetListHole()[0]->get_cen().x, 3.0, 1e-9);
}

} // namespace
