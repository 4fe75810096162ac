#include <machining/Pocket.h>

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

using ClipperLib::cInt;
using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Clipper works on integers: coordinates in units of 0.1 µm.
constexpr double kScale = 1e4;
// Round joins follow the true arc within this distance (mm).
constexpr double kArcTolerance = 0.002;
// A tool exactly as wide as a slot still fits: its centre line is found by
// offsetting by this much less than the radius (mm).
constexpr double kFitAllowance = 0.002;
// Outlines are thinned to vertices that matter at this tolerance (mm) before
// offsetting: outlines tessellated from CAD arcs are far denser than that,
// and Clipper's offsetting slows down sharply with many tiny edges.
constexpr double kThinTolerance = 0.001;

Path toPath(const Polygon2& polygon)
{
    Path path;
    path.reserve(polygon.size());
    for (const Point2& p : polygon)
        path.push_back(IntPoint(static_cast<cInt>(std::llround(p.x * kScale)), static_cast<cInt>(std::llround(p.y * kScale))));
    return path;
}

double distanceToChord(const IntPoint& p, const IntPoint& a, const IntPoint& b)
{
    const double dx = static_cast<double>(b.X - a.X);
    const double dy = static_cast<double>(b.Y - a.Y);
    const double px = static_cast<double>(p.X - a.X);
    const double py = static_cast<double>(p.Y - a.Y);
    const double length = std::hypot(dx, dy);
    if (length == 0.0)
        return std::hypot(px, py);
    return std::abs(px * dy - py * dx) / length;
}

// Douglas–Peucker on the closed outline: keeps the vertices that lie
// farther than the tolerance from the chord of the vertices kept around them.
Path thinned(const Path& path, double tolerance)
{
    const std::size_t n = path.size();
    if (n < 4)
        return path;
    // Split the ring at vertex 0 and the vertex farthest from it.
    std::size_t far = 0;
    double farthest = -1.0;
    for (std::size_t i = 1; i < n; ++i) {
        const double d = std::hypot(static_cast<double>(path[i].X - path[0].X), static_cast<double>(path[i].Y - path[0].Y));
        if (d > farthest) {
            farthest = d;
            far = i;
        }
    }
    std::vector<char> keep(n, 0);
    keep[0] = keep[far] = 1;
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, far}, {far, n}};
    while (!spans.empty()) {
        const auto [from, to] = spans.back();
        spans.pop_back();
        const IntPoint& a = path[from];
        const IntPoint& b = path[to % n];
        std::size_t worst = 0;
        double worstDistance = tolerance;
        for (std::size_t i = from + 1; i < to; ++i) {
            const double d = distanceToChord(path[i], a, b);
            if (d > worstDistance) {
                worstDistance = d;
                worst = i;
            }
        }
        if (worst) {
            keep[worst] = 1;
            spans.push_back({from, worst});
            spans.push_back({worst, to});
        }
    }
    Path out;
    for (std::size_t i = 0; i < n; ++i)
        if (keep[i])
            out.push_back(path[i]);
    return out.size() >= 3 ? out : path;
}

Point2 toPoint(const IntPoint& p)
{
    return {static_cast<double>(p.X) / kScale, static_cast<double>(p.Y) / kScale};
}

double areaOf(const Paths& paths)
{
    double area = 0.0;
    for (const Path& path : paths)
        area += ClipperLib::Area(path);
    return std::abs(area) / (kScale * kScale);
}

// One contour of a pass and the contours of the next pass inwards that lie
// inside it.
struct Contour {
    Path path;
    std::vector<std::unique_ptr<Contour>> inner;
};

class PassBuilder {
public:
    explicit PassBuilder(PocketPasses& out) : m_out(out) {}

    // Cuts the contours inside first, then this one, so that every pass
    // after the first plunge of a run is reached by feeding outwards.
    void cut(const Contour& contour)
    {
        for (const auto& inner : contour.inner)
            cut(*inner);
        if (contour.path.empty())
            return;
        if (contour.inner.empty())
            startRun(contour.path);
        else
            continueRun(contour.path);
    }

private:
    // A contour with nothing inside starts a run with a plunge at the vertex
    // nearest to where the tool last was.
    void startRun(const Path& path)
    {
        std::size_t start = 0;
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < path.size(); ++i) {
            const double d = Distance(toPoint(path[i]), m_last);
            if (d < best) {
                best = d;
                start = i;
            }
        }
        std::vector<Point2>& run = m_out.runs.emplace_back();
        run.reserve(path.size() + 1);
        for (std::size_t k = 0; k <= path.size(); ++k)
            run.push_back(toPoint(path[(start + k) % path.size()]));
        m_last = run.back();
    }

    // From the end of the run inside, the tool feeds straight to the nearest
    // point of the enclosing contour: the disc around the end point out to
    // that point holds no point of the contour, so the move stays inside it.
    void continueRun(const Path& path)
    {
        std::vector<Point2>& run = m_out.runs.back();
        std::size_t edge = 0;
        Point2 entry = toPoint(path[0]);
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < path.size(); ++i) {
            const Point2 q = NearestOnSegment(m_last, toPoint(path[i]), toPoint(path[(i + 1) % path.size()]));
            const double d = Distance(q, m_last);
            if (d < best) {
                best = d;
                edge = i;
                entry = q;
            }
        }
        run.reserve(run.size() + path.size() + 2);
        run.push_back(entry);
        for (std::size_t k = 1; k <= path.size(); ++k)
            run.push_back(toPoint(path[(edge + k) % path.size()]));
        run.push_back(entry);
        m_last = entry;
    }

    PocketPasses& m_out;
    Point2 m_last;
};

// Whether the contour encloses the point (on the contour counts as inside).
bool encloses(const Path& contour, const IntPoint& p)
{
    return ClipperLib::PointInPolygon(p, contour) != 0;
}

// Inward offsets of one outline, in Clipper's units.
class Insets {
public:
    explicit Insets(const Path& source) : m_offsetter(2.0, kArcTolerance * kScale)
    {
        m_offsetter.AddPath(thinned(source, kThinTolerance * kScale), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    }
    Paths operator()(double distance)
    {
        Paths out;
        m_offsetter.Execute(out, -distance * kScale);
        return out;
    }

private:
    ClipperLib::ClipperOffset m_offsetter;
};

// The contours of the passes, each pass's inside the one before it, and
// whether they nest: contours that are holes (left by an outline that
// crosses itself) break the nesting the runs rely on.
struct Nesting {
    std::vector<std::unique_ptr<Contour>> roots;
    bool nested = true;
};

Nesting nestPasses(Paths finishing, Insets& inset, double base, double stepover, double band)
{
    Nesting out;
    const auto isOuter = [](const Path& path) { return ClipperLib::Orientation(path); };
    std::vector<Contour*> level;
    for (Path& path : finishing) {
        out.nested = out.nested && isOuter(path);
        auto contour = std::make_unique<Contour>();
        contour->path = std::move(path);
        level.push_back(contour.get());
        out.roots.push_back(std::move(contour));
    }
    for (int k = 1; base + k * stepover <= band; ++k) {
        Paths pass = inset(base + k * stepover);
        if (pass.empty())
            break;
        std::vector<Contour*> next;
        for (Path& path : pass) {
            out.nested = out.nested && isOuter(path);
            Contour* parent = nullptr;
            for (Contour* candidate : level)
                if (encloses(candidate->path, path[0])) {
                    parent = candidate;
                    break;
                }
            auto contour = std::make_unique<Contour>();
            contour->path = std::move(path);
            next.push_back(contour.get());
            if (parent && out.nested) {
                parent->inner.push_back(std::move(contour));
            } else {
                out.nested = false;
                out.roots.push_back(std::move(contour));
            }
        }
        level = std::move(next);
    }
    return out;
}

// What the tool cannot reach: the outline less the area its centre may
// cover grown by the radius.
double unreachedArea(const Path& source, const Paths& centreArea, double radius)
{
    ClipperLib::ClipperOffset grow(2.0, kArcTolerance * kScale);
    Paths reachedArea;
    grow.AddPaths(centreArea, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    grow.Execute(reachedArea, radius * kScale);
    return std::max(0.0, areaOf({source}) - areaOf(reachedArea));
}

} // namespace

std::optional<PocketPasses> PlanPocket(const Polygon2& outline, double toolRadius, double stepover, double band)
{
    if (outline.size() < 3 || !(toolRadius > 0.0) || !(stepover > 0.0) || stepover > toolRadius)
        return std::nullopt;
    const Path source = toPath(outline);
    Insets inset(source);
    double base = toolRadius;
    Paths finishing = inset(base);
    if (finishing.empty()) {
        base = toolRadius - kFitAllowance;
        finishing = inset(base);
    }
    if (finishing.empty())
        return std::nullopt;
    const Paths centreArea = finishing;
    const Nesting nesting = nestPasses(std::move(finishing), inset, base, stepover, band);

    PocketPasses passes;
    PassBuilder builder(passes);
    if (nesting.nested) {
        for (const auto& root : nesting.roots)
            builder.cut(*root);
    } else {
        // Innermost first, each contour a run of its own.
        for (auto it = nesting.roots.rbegin(); it != nesting.roots.rend(); ++it)
            builder.cut(**it);
    }
    passes.unreachableArea = unreachedArea(source, centreArea, base);
    return passes;
}
