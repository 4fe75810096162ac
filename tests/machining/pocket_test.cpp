#include <machining/Pocket.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

Polygon2 box(double w, double h)
{
    return {{0, 0}, {w, 0}, {w, h}, {0, h}};
}

double boundaryDistance(const Point2& p, const Polygon2& poly)
{
    double d = 1e300;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        d = std::min(d, Distance(p, NearestOnSegment(p, poly[j], poly[i])));
    return d;
}

// Every point of every run and every move's midpoint keep the radius from
// the outline.
double closestApproach(const PocketPasses& passes, const Polygon2& outline)
{
    double closest = 1e300;
    for (const auto& run : passes.runs)
        for (std::size_t i = 0; i < run.size(); ++i) {
            closest = std::min(closest, boundaryDistance(run[i], outline));
            if (i > 0)
                closest = std::min(closest, boundaryDistance({(run[i].x + run[i - 1].x) / 2, (run[i].y + run[i - 1].y) / 2}, outline));
        }
    return closest;
}

struct PocketCase {
    const char* name;
    Polygon2 outline;
    double radius;
    bool fits;
    std::size_t runs;
    double unreachable; // mm², within 2 %
};

class PlanPocketCases : public ::testing::TestWithParam<PocketCase> {};

TEST_P(PlanPocketCases, PassesStayInsideAndReportWhatIsLeft)
{
    const PocketCase& c = GetParam();
    const std::optional<PocketPasses> passes = PlanPocket(c.outline, c.radius, c.radius);
    ASSERT_EQ(passes.has_value(), c.fits);
    if (!passes)
        return;
    EXPECT_EQ(passes->runs.size(), c.runs);
    EXPECT_GE(closestApproach(*passes, c.outline), c.radius - 0.005);
    EXPECT_NEAR(passes->unreachableArea, c.unreachable, std::max(0.1, c.unreachable * 0.02));
}

const double kSquareCorner = 4 * 36 * (1 - std::numbers::pi / 4); // four corners, radius 6

INSTANTIATE_TEST_SUITE_P(
    Outlines, PlanPocketCases,
    ::testing::Values(
        PocketCase{"SquareCornersLeaveFourCorners", box(100, 40), 6, true, 1, kSquareCorner},
        PocketCase{"ToolTooWide", box(100, 11.9), 6, false, 0, 0},
        PocketCase{"SlotAsWideAsTheTool", box(100, 12), 6, true, 1, kSquareCorner},
        PocketCase{"ClockwiseOutline", {{0, 0}, {0, 40}, {100, 40}, {100, 0}}, 6, true, 1, kSquareCorner}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlanPocket, NeckNarrowerThanTheToolSplitsTheRunsAndIsLeft)
{
    const Polygon2 dumbbell{{0, 0}, {40, 0}, {40, 15}, {60, 15}, {60, 0}, {100, 0}, {100, 40}, {60, 40}, {60, 25},
                            {40, 25}, {40, 40}, {0, 40}};
    const std::optional<PocketPasses> passes = PlanPocket(dumbbell, 6, 6);
    ASSERT_TRUE(passes);
    EXPECT_EQ(passes->runs.size(), 2u) << "one run per room";
    EXPECT_GE(closestApproach(*passes, dumbbell), 6 - 0.005);
    // Most of the neck (20 × 10) and the rooms' outer corners are out of reach.
    EXPECT_GT(passes->unreachableArea, 150.0);
}

TEST(PlanPocket, StepoverLargerThanTheRadiusIsRefused)
{
    EXPECT_FALSE(PlanPocket(box(100, 40), 6, 6.5));
    EXPECT_FALSE(PlanPocket(box(100, 40), 0, 0));
    EXPECT_FALSE(PlanPocket({{0, 0}, {1, 1}}, 1, 1));
}

} // namespace
