#include <importer/ImportLimits.h>
#include <importer/Tessellation.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kTol = import_tolerance::kChordError;
constexpr double kPi = std::numbers::pi;

// Largest distance of chord midpoints from a circle around the origin.
double worstChordError(const std::vector<position>& pts, const position& centre, double radius)
{
    double worst = 0.0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const double mx = (pts[i].x + pts[i + 1].x) / 2 - centre.x, my = (pts[i].y + pts[i + 1].y) / 2 - centre.y;
        worst = std::max(worst, std::abs(std::hypot(mx, my) - radius));
    }
    return worst;
}

class ArcChordError : public ::testing::TestWithParam<double> {};

TEST_P(ArcChordError, StaysWithinTheToleranceWithoutWastingSegments)
{
    const double radius = GetParam();
    std::vector<position> pts;
    ASSERT_TRUE(tessellateArc({3, 4, 0}, radius, 0.3, 2 * kPi, kTol, pts));
    EXPECT_LE(worstChordError(pts, {3, 4, 0}, radius), kTol);
    EXPECT_NEAR(pts.front().x, pts.back().x, 1e-9);
    // Twice the segments would be needed only if the count were wasteful.
    const std::size_t n = pts.size() - 1;
    EXPECT_GT(radius * (1 - std::cos(2 * kPi / (n - 1) / 2)), kTol * 0.5);
}

INSTANTIATE_TEST_SUITE_P(Radii, ArcChordError, ::testing::Values(0.5, 4.0, 17.5, 250.0, 5000.0));

TEST(ArcSegments, AreCappedForHugeRadiiAndAtLeastOneForTinyOnes)
{
    EXPECT_EQ(arcSegmentCount(1e9, 2 * kPi, kTol), import_limits::kMaxSegmentsPerCurve);
    EXPECT_GE(arcSegmentCount(1e-6, 2 * kPi, kTol), 4u);
    EXPECT_EQ(arcSegmentCount(10, 0.0, kTol), 1u);
}

TEST(ArcSegments, RejectsUnusableNumbers)
{
    std::vector<position> pts;
    EXPECT_FALSE(tessellateArc({0, 0, 0}, -1.0, 0, 1, kTol, pts));
    EXPECT_FALSE(tessellateArc({0, 0, 0}, NAN, 0, 1, kTol, pts));
    EXPECT_FALSE(tessellateArc({0, 0, 0}, 1.0, INFINITY, 1, kTol, pts));
    EXPECT_FALSE(tessellateArc({NAN, 0, 0}, 1.0, 0, 1, kTol, pts));
    EXPECT_TRUE(pts.empty());
}

struct BulgeCase {
    const char* name;
    double bulge;
    double extremeY; // lowest or highest y the arc reaches
};

class Bulge : public ::testing::TestWithParam<BulgeCase> {};

TEST_P(Bulge, ArcStartsAtTheVertexThatCarriesIt)
{
    PolylineRecord poly;
    poly.vertices = {{0, 0, GetParam().bulge}, {10, 0, 0}};
    std::vector<position> pts;
    ASSERT_TRUE(tessellatePolyline(poly, kTol, pts));
    EXPECT_EQ(pts.front(), (position{0, 0, 0}));
    EXPECT_EQ(pts.back(), (position{10, 0, 0}));
    double lowest = 0, highest = 0;
    for (const position& p : pts) {
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    }
    const double reached = GetParam().extremeY < 0 ? lowest : highest;
    EXPECT_NEAR(reached, GetParam().extremeY, kTol);
}

INSTANTIATE_TEST_SUITE_P(
    Bulges, Bulge,
    ::testing::Values(BulgeCase{"HalfCircleCounterClockwiseGoesBelow", 1.0, -5.0},
                      BulgeCase{"HalfCircleClockwiseGoesAbove", -1.0, 5.0},
                      // bulge = tan(quarter of 90 degrees): radius 5 * sqrt 2, sagitta r - 5
                      BulgeCase{"QuarterCircle", std::tan(kPi / 8), -(5 * std::numbers::sqrt2 - 5)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Polyline, ClosedFlagAddsTheClosingSegment)
{
    PolylineRecord poly;
    poly.vertices = {{0, 0, 0}, {10, 0, 0}, {10, 10, 1.0}, {0, 10, 0}};
    poly.closed = true;
    std::vector<position> pts;
    ASSERT_TRUE(tessellatePolyline(poly, kTol, pts));
    EXPECT_EQ(pts.back(), pts.front());
    poly.closed = false;
    pts.clear();
    ASSERT_TRUE(tessellatePolyline(poly, kTol, pts));
    EXPECT_EQ(pts.back(), (position{0, 10, 0}));
}

SplineRecord quarterCircleSpline(double r)
{
    SplineRecord s;
    s.degree = 2;
    s.control = {{r, 0, 0}, {r, r, 0}, {0, r, 0}};
    s.weights = {1, std::sqrt(0.5), 1};
    s.knots = {0, 0, 0, 1, 1, 1};
    return s;
}

TEST(Spline, RationalQuarterCircleStaysOnTheCircle)
{
    std::vector<position> pts;
    ASSERT_TRUE(tessellateSpline(quarterCircleSpline(100), kTol, pts));
    for (const position& p : pts)
        EXPECT_NEAR(std::hypot(p.x, p.y), 100.0, 1e-9);
    EXPECT_LE(worstChordError(pts, {0, 0, 0}, 100.0), kTol);
    EXPECT_NEAR(pts.front().x, 100.0, 1e-12);
    EXPECT_NEAR(pts.back().y, 100.0, 1e-12);
}

TEST(Spline, KnotsThatDoNotFitAreReplacedByClampedOnes)
{
    SplineRecord s = quarterCircleSpline(10);
    s.knots = {0, 1};
    s.weights.clear();
    std::vector<position> pts;
    ASSERT_TRUE(tessellateSpline(s, kTol, pts));
    EXPECT_NEAR(pts.front().x, 10.0, 1e-12);
    EXPECT_NEAR(pts.back().y, 10.0, 1e-12);
}

TEST(Spline, UnusableSplinesAreRefused)
{
    std::vector<position> pts;
    SplineRecord s = quarterCircleSpline(10);
    s.degree = 0;
    EXPECT_FALSE(tessellateSpline(s, kTol, pts));
    s.degree = import_limits::kMaxSplineDegree + 1;
    EXPECT_FALSE(tessellateSpline(s, kTol, pts));
    s = quarterCircleSpline(10);
    s.degree = 3; // needs four control points
    EXPECT_FALSE(tessellateSpline(s, kTol, pts));
    s = quarterCircleSpline(10);
    s.control[1].x = NAN;
    EXPECT_FALSE(tessellateSpline(s, kTol, pts));
    s = quarterCircleSpline(10);
    s.knots = {0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(tessellateSpline(s, kTol, pts));
}

TEST(Spline, CoincidentControlPointsGiveOnePoint)
{
    // As dxflib leaves a spline that declares 20,000 control points and gives one.
    SplineRecord s;
    s.control.assign(20'000, position{0, 0, 0});
    s.control[0] = {10, 0, 0};
    std::vector<position> out;
    ASSERT_TRUE(tessellateSpline(s, 0.01, out));
    EXPECT_LT(out.size(), 100u);
    EXPECT_DOUBLE_EQ(out.back().x, 0.0);
}

TEST(Spline, FitPointCurvePassesThroughEveryFitPoint)
{
    SplineRecord s;
    s.fit = {{0, 0, 0}, {10, 6, 0}, {20, 4, 0}, {30, 0, 0}, {45, 10, 0}};
    std::vector<position> pts;
    ASSERT_TRUE(tessellateSpline(s, kTol, pts));
    for (const position& f : s.fit) {
        const bool found = std::any_of(pts.begin(), pts.end(), [&](const position& p) {
            return std::hypot(p.x - f.x, p.y - f.y) < 1e-9;
        });
        EXPECT_TRUE(found) << f.x << "," << f.y;
    }
}

TEST(Ellipse, VerticesLieOnTheEllipseAndTheArcRunsTheRightWay)
{
    EllipseRecord e{{5, 5, 0}, 0, 20, 0.25, 0, kPi / 2};
    for (const bool reversed : {false, true}) {
        std::vector<position> pts;
        ASSERT_TRUE(tessellateEllipse(e, reversed, kTol, pts));
        for (const position& p : pts) {
            // Major axis along y (20), minor along x (5).
            const double u = (p.y - 5) / 20, v = (p.x - 5) / 5;
            EXPECT_NEAR(u * u + v * v, 1.0, 1e-9);
        }
        EXPECT_NEAR(pts.front().y, 25, 1e-9);
        // Counter-clockwise from the major axis end goes to negative x;
        // seen from below it goes the other way.
        EXPECT_NEAR(pts.back().x, reversed ? 10 : 0, 1e-9);
    }
}

TEST(Ellipse, RefusesUnusableParameters)
{
    std::vector<position> pts;
    EXPECT_FALSE(tessellateEllipse({{0, 0, 0}, 0, 0, 0.5, 0, 1}, false, kTol, pts));
    EXPECT_FALSE(tessellateEllipse({{0, 0, 0}, 1, 0, -0.5, 0, 1}, false, kTol, pts));
    EXPECT_FALSE(tessellateEllipse({{0, 0, 0}, 1, 0, 0.5, 0, NAN}, false, kTol, pts));
}

} // namespace
