// Arcs keep their shape through the preview: drawn in chords fine enough for
// the zoom, and timed along their true length.
#include <machining/Motion.h>
#include <machining/Preview.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// One cut of a tool: from (r, 0) at depth 0 about the origin, turning
// `turns` times round in the given sense, ending `drop` deeper.
ToolUse arcUse(double radius, double turns, bool ccw, double drop)
{
    ToolUse use;
    use.tool.ID = 1;
    use.tool.Diameter = 6.0;
    use.tool.Vel = 2400.0;
    Move start;
    start.kind = MoveKind::Retract;
    start.to = {radius, 0.0, 0.0};
    Move arc;
    arc.kind = ccw ? MoveKind::ArcCcw : MoveKind::ArcCw;
    const double sweep = 2.0 * kPi * turns * (ccw ? 1.0 : -1.0);
    arc.to = {radius * std::cos(sweep), radius * std::sin(sweep), -drop};
    use.moves = {start, arc};
    return use;
}

struct ArcCase {
    const char* name;
    double radius;     // mm
    double turns;      // 1 a full circle
    bool ccw;
    double drop;       // mm deeper at the end: a helix
    double pixelsPerMm;
};

TEST(ArcPreview, ChordsStayWithinAQuarterPixelAndTimeFollowsTheTrueLength)
{
    const ArcCase cases[] = {
        {"small circle, door fitted in the window", 4.0, 1.0, true, 0.0, 0.5},
        {"small circle, zoomed onto it", 4.0, 1.0, false, 0.0, 200.0},
        {"large arc, maximised", 400.0, 0.75, true, 0.0, 3.0},
        {"large arc clockwise, zoomed in", 400.0, 0.75, false, 0.0, 40.0},
        {"large arc, zoomed in as far as the view goes", 400.0, 0.75, true, 0.0, 1e6},
        {"helix half turn", 10.0, 0.5, true, 2.5, 60.0},
        {"helix full turn clockwise", 10.0, 1.0, false, 4.0, 60.0},
        {"tiny radius below the tolerance", 0.001, 1.0, true, 0.0, 0.5},
    };
    for (const ArcCase& c : cases) {
        SCOPED_TRACE(c.name);
        MachiningPlan plan;
        plan.uses.push_back(arcUse(c.radius, c.turns, c.ccw, c.drop));
        const MachiningPreview preview = BuildPreview({&plan});
        ASSERT_EQ(preview.strokes.size(), 1u);
        ASSERT_TRUE(preview.plunges.empty()) << "a full turn is not a point";
        EXPECT_NEAR(preview.strokes[0].depth, c.drop, 1e-12);

        const double tolerance = 0.25 / c.pixelsPerMm;
        const GK_Box everywhere{-1e4, -1e4, 1e4, 1e4};
        const std::vector<Point2> line = StrokePolyline(preview.strokes[0], tolerance, everywhere);
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.front(), (Point2{c.radius, 0.0}));
        const double sweep = 2.0 * kPi * c.turns * (c.ccw ? 1.0 : -1.0);
        EXPECT_NEAR(Distance(line.back(), {c.radius * std::cos(sweep), c.radius * std::sin(sweep)}), 0.0, 1e-9);
        // Every chord's ends on the circle, its middle within the tolerance
        // of it, and the chords turning one way round by the whole sweep.
        double turned = 0.0;
        for (std::size_t i = 1; i < line.size(); ++i) {
            const Point2 a = line[i - 1], b = line[i];
            EXPECT_NEAR(std::hypot(b.x, b.y), c.radius, 1e-9);
            const double bulge = c.radius - std::hypot((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
            EXPECT_LT(bulge * c.pixelsPerMm, 0.25) << "chord " << i;
            const double step = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y);
            EXPECT_EQ(step > 0.0, c.ccw) << "chord " << i;
            turned += step;
        }
        EXPECT_NEAR(turned, sweep, 1e-9);
        // Not needlessly fine either: at most twice the chords needed.
        const double step = 2.0 * std::acos(1.0 - std::min(1.0, tolerance / c.radius));
        EXPECT_LE(static_cast<double>(line.size() - 1), 2.0 * std::ceil(std::abs(sweep) / step) + 1.0);

        // Shown a window of 300 pixels round the arc's middle, the chords in
        // it are as fine, those outside only as many as a turn has pieces.
        const double middle = sweep / 2.0;
        const double half = 150.0 / c.pixelsPerMm;
        const GK_Box window{c.radius * std::cos(middle) - half, c.radius * std::sin(middle) - half,
                            c.radius * std::cos(middle) + half, c.radius * std::sin(middle) + half};
        const std::vector<Point2> shown = StrokePolyline(preview.strokes[0], tolerance, window);
        int inside = 0;
        for (std::size_t i = 1; i < shown.size(); ++i) {
            const Point2 a = shown[i - 1], b = shown[i];
            if (std::max(a.x, b.x) < window.x0 || std::min(a.x, b.x) > window.x1 || std::max(a.y, b.y) < window.y0 ||
                std::min(a.y, b.y) > window.y1)
                continue;
            ++inside;
            const double bulge = c.radius - std::hypot((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
            EXPECT_LT(bulge * c.pixelsPerMm, 0.25) << "shown chord " << i;
        }
        EXPECT_GT(inside, 0);
        const double finePiece = std::ceil((kPi / 18.0) / step);
        EXPECT_LE(static_cast<double>(shown.size()), std::ceil(36.0 * c.turns) + 2.0 + 3.0 * finePiece);
        EXPECT_EQ(shown.back(), line.back());

        const double length = std::hypot(c.radius * std::abs(sweep), c.drop);
        EXPECT_NEAR(EstimateSeconds(plan.uses, MachineProfile{}), length / plan.uses[0].tool.Vel * 60.0, 1e-6);
    }
}

} // namespace
