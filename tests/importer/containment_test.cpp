#include <importer/ImportLimits.h>
#include <importer/ImportProgress.h>
#include <importer/ModelBuilder.h>
#include <importer/OutlineIndex.h>
#include <importer/SheetLayout.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <random>

namespace {

// The plain even-odd test along x that the index must answer like.
bool evenOdd(const std::vector<position>& pts, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const position& a = pts[i];
        const position& b = pts[j];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}

// A star of n points at random radii: edges of every slope and length.
std::vector<position> star(std::size_t n, std::mt19937& random)
{
    std::uniform_real_distribution<double> radius(1.0, 100.0);
    std::vector<position> pts;
    for (std::size_t i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
        const double r = radius(random);
        pts.push_back({r * std::cos(a), r * std::sin(a), 0.0});
    }
    return pts;
}

// A comb of n teeth, each running the full height: every edge crosses every
// height, the worst an outline can do to an index by bands.
std::vector<position> comb(std::size_t teeth)
{
    std::vector<position> pts;
    for (std::size_t i = 0; i < teeth; ++i) {
        const double x = static_cast<double>(i);
        pts.push_back({x, 0.0, 0.0});
        pts.push_back({x, 100.0, 0.0});
        pts.push_back({x + 0.5, 100.0, 0.0});
        pts.push_back({x + 0.5, 0.0, 0.0});
    }
    pts.push_back({static_cast<double>(teeth), -1.0, 0.0});
    pts.push_back({0.0, -1.0, 0.0});
    return pts;
}

Outline outlineOf(std::vector<position> pts)
{
    Outline o;
    o.box = boundingBox(pts);
    o.area = std::abs(signedArea(pts));
    o.points = std::move(pts);
    return o;
}

TEST(OutlineIndex, AnswersAsThePlainTestDoes)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<double> coord(-110.0, 110.0);
    for (const std::size_t n : {3u, 17u, 1000u}) {
        const std::vector<Outline> outlines{outlineOf(star(n, random))};
        const std::vector<position>& pts = outlines[0].points;
        OutlineIndex index(outlines, import_limits::kMaxContainmentTests);
        for (int k = 0; k < 20'000; ++k) {
            const double x = coord(random), y = coord(random);
            ASSERT_EQ(index.contains(0, x, y), evenOdd(pts, x, y)) << n << " at " << x << ", " << y;
        }
        // Heights of vertices exactly, where bands meet.
        for (const position& p : pts)
            ASSERT_EQ(index.contains(0, p.x - 0.25, p.y), evenOdd(pts, p.x - 0.25, p.y));
    }
    const std::vector<Outline> teeth{outlineOf(comb(100))};
    OutlineIndex index(teeth, import_limits::kMaxContainmentTests);
    for (int k = 0; k < 2'000; ++k) {
        const double x = coord(random) / 2.0 + 50.0, y = coord(random) / 2.0 + 50.0;
        ASSERT_EQ(index.contains(0, x, y), evenOdd(teeth[0].points, x, y));
    }
}

struct CostCase {
    const char* name;
    std::vector<position> outline;
    std::size_t circles;
    ImportProblem problem;
};

class ContainmentCost : public ::testing::TestWithParam<CostCase> {};

// A million outline vertices against many circles ends at once: found when
// the outline lets an index help, refused when every edge reaches every height.
// Tested edge by edge, either would take hours; the bound is loose for busy
// machines.
TEST_P(ContainmentCost, StaysBounded)
{
    ImportGeometry geometry;
    geometry.outlines.push_back(outlineOf(GetParam().outline));
    geometry.layers = {"0"};
    std::mt19937 random(9);
    std::uniform_real_distribution<double> coord(1.0, 99.0);
    for (std::size_t i = 0; i < GetParam().circles; ++i)
        geometry.circles.push_back({{coord(random), coord(random), 0.0}, 0.1, 0.0, 0, i});
    ImportReport report;
    ImportProgress progress;
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<GK_Hinges> hinges;
    const SheetLayout layout = layOutSheet(geometry, TextEncoding{}, progress);
    report.failure = layout.failure;
    if (!report.failure)
        hinges = buildHinges(geometry, layout, 0, report, progress);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(report.failure.problem, GetParam().problem);
    EXPECT_EQ(hinges != nullptr, GetParam().problem == ImportProblem::None);
}

std::vector<position> square(std::size_t vertices)
{
    std::vector<position> pts;
    const std::size_t side = vertices / 4;
    for (int s = 0; s < 4; ++s)
        for (std::size_t i = 0; i < side; ++i) {
            const double t = 100.0 * static_cast<double>(i) / static_cast<double>(side);
            const position corners[] = {{t, 0, 0}, {100, t, 0}, {100 - t, 100, 0}, {0, 100 - t, 0}};
            pts.push_back(corners[s]);
        }
    return pts;
}

INSTANTIATE_TEST_SUITE_P(Outlines, ContainmentCost,
                         ::testing::Values(CostCase{"FinelyDividedSquare", square(1'000'000), 200'000,
                                                    ImportProblem::None},
                                           CostCase{"Comb", comb(250'000), 200'000,
                                                    ImportProblem::ContainmentTooCostly}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
