// Small drawings that once froze the import for minutes or exhausted memory:
// each now ends, imported or refused with a reason, within two seconds.
#include "GeneratedDrawings.h"
#include "TestDrawings.h"

#include <importer/CadImporter.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

// Each ends in well under two seconds on an idle machine; the bound leaves
// room for busy and sanitized builds while still catching the minutes these
// drawings once took.
#if defined(__SANITIZE_ADDRESS__)
constexpr auto kLimit = std::chrono::seconds(60);
#else
constexpr auto kLimit = std::chrono::seconds(20);
#endif

DxfText squareWithHole()
{
    DxfText dxf;
    dxf.beginEntities().square(0, 0, 60).circle(30, 30, 5);
    return dxf;
}

struct FreezeCase {
    const char* name;
    std::function<std::string()> drawing;
    ImportProblem problem; // None: it imports
};

class Freeze : public ::testing::TestWithParam<FreezeCase> {};

TEST_P(Freeze, EndsWithinTwoSeconds)
{
    ScratchFolder folder;
    const std::string path = folder.write("drawing.dxf", GetParam().drawing());
    CadImporter importer{readerParser()};
    const auto start = std::chrono::steady_clock::now();
    importer.import_hinges_from_cad_file(path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, kLimit);
    EXPECT_EQ(importer.report().failure.problem, GetParam().problem) << importer.report().failure;
    if (const GK_Hinges* hinges = importer.get_hinges_model()) {
        for (const GK_Circle_Hole* hole : hinges->GetListHole())
            EXPECT_TRUE(std::isfinite(hole->get_z()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, Freeze,
    ::testing::Values(
        // dxflib reads on past EOF: a spline there once made it allocate 13 GB.
        FreezeCase{"SplineAfterEof",
                   [] {
                       return squareWithHole().endOfFile().group(0, "SPLINE").group(73, "400000000").text;
                   },
                   ImportProblem::None},
        // Each within the limit of one entity, 8 * 10^10 vertices in all.
        FreezeCase{"DeclaredCountsAddUp",
                   [] {
                       DxfText dxf = squareWithHole();
                       for (int i = 0; i < 80'000; ++i)
                           dxf.group(0, "LWPOLYLINE").group(90, "1000000");
                       return dxf.endOfFile().text;
                   },
                   ImportProblem::TooManyDeclared},
        // 700,000 copies of one line on top of each other.
        FreezeCase{"CoincidentArray",
                   [] {
                       DxfText dxf;
                       dxf.beginBlocks().beginBlock("L").line(100, 0, 110, 0).endBlock().endSection();
                       dxf.beginEntities().square(0, 0, 60).circle(30, 30, 5).insert("L", 0, 0, 1000, 700);
                       return dxf.endOfFile().text;
                   },
                   ImportProblem::None},
        // Y holds 100,000 empty circles and X; X holds Y 650,000 times.
        FreezeCase{"BlocksReferringToEachOther",
                   [] {
                       DxfText dxf;
                       dxf.beginBlocks().beginBlock("Y");
                       for (int i = 0; i < 100'000; ++i)
                           dxf.circle(0, 0, 0);
                       dxf.insert("X", 0, 0).endBlock();
                       dxf.beginBlock("X").insert("Y", 0, 0, 650, 1000).endBlock().endSection();
                       dxf.beginEntities().insert("Y", 0, 0).insert("X", 0, 0);
                       return dxf.endOfFile().text;
                   },
                   ImportProblem::TooManyPlaced},
        // dxflib splits a line longer than its buffer into two; only a text
        // or comment value may be cut instead.
        FreezeCase{"LineLongerThanTheParsersBuffer",
                   [] { return squareWithHole().group(0, "POINT").group(10, std::string(2000, '1')).endOfFile().text; },
                   ImportProblem::LineTooLong},
        // Group code 9 starts a new object in dxflib, as 0 does.
        FreezeCase{"VariableCodeStartsAnEntity",
                   [] { return squareWithHole().group(9, "SPLINE").group(73, "2000000000").endOfFile().text; },
                   ImportProblem::BadCount},
        // Depth scales whose product overflows: the hole has no depth to give.
        FreezeCase{"OverflowingNestedScales",
                   [] {
                       DxfText dxf;
                       dxf.beginBlocks().beginBlock("C").circle(30, 30, 5).group(39, 5.0).endBlock();
                       dxf.beginBlock("B").insert("C", 0, 0, 1, 1, 0, 1e200).endBlock().endSection();
                       dxf.beginEntities().square(0, 0, 60).insert("B", 0, 0, 1, 1, 0, 1e200);
                       return dxf.endOfFile().text;
                   },
                   ImportProblem::None},
        // Found by fuzzing: dxflib allocated for a spline after EOF. The
        // drawing itself holds no closed outline.
        FreezeCase{"FuzzedSplineAfterEof",
                   [] {
                       std::ifstream in(testDrawing("fuzz_spline_after_eof.dxf"), std::ios::binary);
                       return std::string(std::istreambuf_iterator<char>(in), {});
                   },
                   ImportProblem::NoClosedOutline}),
    [](const auto& info) { return std::string(info.param.name); });

// Fit points closer together than rounding once turned a whole spline into
// NaN; the outline it closes stays usable.
TEST(Freeze, FitPointsCloserThanRoundingKeepTheSplineFinite)
{
    DxfText dxf;
    dxf.beginEntities().line(0, 0, 60, 0).line(60, 0, 60, 40).line(0, 40, 0, 0);
    dxf.group(0, "SPLINE").group(8, "0").group(70, "8").group(71, "3").group(74, "4");
    for (const auto& [x, y] : {std::pair{60.0, 40.0}, {30.0 + 1e-13, 50.0}, {30.0, 50.0}, {0.0, 40.0}})
        dxf.group(11, x).group(21, y).group(31, 0.0);
    ScratchFolder folder;
    CadImporter importer{readerParser()};
    ASSERT_EQ(importer.import_hinges_from_cad_file(folder.write("spline.dxf", dxf.endOfFile().text)), 0)
        << importer.report().failure;
    for (const position& p : importer.get_hinges_model()->GetLoopOut())
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_GT(loopArea(importer.get_hinges_model()->GetLoopOut()), 60.0 * 40.0);
}

} // namespace
