#include <importer/Tessellation.h>

#include <importer/ImportLimits.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using import_limits::kMaxSegmentsPerCurve;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kQuarterTurn = std::numbers::pi / 2.0;
constexpr double kTinyBulge = 1e-12;
constexpr double kTinyParameter = 1e-12;
// Sub-intervals every spline span starts with before refinement, so that a
// span whose middle happens to lie on its chord is still followed.
constexpr int kInitialSamplesPerSpan = 4;
constexpr int kMaxRefineDepth = 24;

bool finite(const position& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

double distanceToSegment(const position& p, const position& a, const position& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Refines a parametric curve between t0 and t1 until each chord stays within
// the tolerance at its middle; appends the points after f(t0).
class AdaptiveSampler {
public:
    AdaptiveSampler(std::function<position(double)> f, double tolerance, std::vector<position>& out)
        : m_f(std::move(f)), m_tolerance(tolerance), m_out(out)
    {
    }

    void run(double t0, double t1, int initial)
    {
        position p0 = m_f(t0);
        for (int i = 1; i <= initial; ++i) {
            const double u1 = t0 + (t1 - t0) * i / initial;
            const double u0 = t0 + (t1 - t0) * (i - 1) / initial;
            const position p1 = m_f(u1);
            refine(u0, p0, u1, p1, 0);
            p0 = p1;
        }
    }

private:
    void refine(double u0, const position& p0, double u1, const position& p1, int depth)
    {
        const double um = (u0 + u1) / 2.0;
        const position pm = m_f(um);
        if (depth < kMaxRefineDepth && m_segments < kMaxSegmentsPerCurve
            && distanceToSegment(pm, p0, p1) > m_tolerance) {
            refine(u0, p0, um, pm, depth + 1);
            refine(um, pm, u1, p1, depth + 1);
            return;
        }
        m_out.push_back(p1);
        ++m_segments;
    }

    std::function<position(double)> m_f;
    double m_tolerance;
    std::vector<position>& m_out;
    std::size_t m_segments = 0;
};

// Evaluates a rational B-spline by de Boor's algorithm.
class Nurbs {
public:
    Nurbs(int degree, const std::vector<position>& control, const std::vector<double>& weights,
          const std::vector<double>& knots)
        : m_p(degree), m_ctrl(control), m_w(weights), m_k(knots)
    {
    }

    double first() const { return m_k[m_p]; }
    double last() const { return m_k[m_ctrl.size()]; }

    position operator()(double u) const
    {
        const std::size_t n = m_ctrl.size();
        std::size_t span = static_cast<std::size_t>(std::upper_bound(m_k.begin(), m_k.end(), u) - m_k.begin());
        span = std::clamp(span == 0 ? std::size_t(0) : span - 1, static_cast<std::size_t>(m_p), n - 1);
        double hx[kMaxDegreePlusOne], hy[kMaxDegreePlusOne], hw[kMaxDegreePlusOne];
        for (int j = 0; j <= m_p; ++j) {
            const std::size_t i = span - m_p + j;
            hw[j] = m_w[i];
            hx[j] = m_ctrl[i].x * m_w[i];
            hy[j] = m_ctrl[i].y * m_w[i];
        }
        for (int r = 1; r <= m_p; ++r) {
            for (int j = m_p; j >= r; --j) {
                const std::size_t i = span - m_p + j;
                const double denom = m_k[i + m_p - r + 1] - m_k[i];
                const double alpha = denom > 0.0 ? (u - m_k[i]) / denom : 0.0;
                hx[j] = (1.0 - alpha) * hx[j - 1] + alpha * hx[j];
                hy[j] = (1.0 - alpha) * hy[j - 1] + alpha * hy[j];
                hw[j] = (1.0 - alpha) * hw[j - 1] + alpha * hw[j];
            }
        }
        return {hx[m_p] / hw[m_p], hy[m_p] / hw[m_p], 0.0};
    }

    static constexpr int kMaxDegreePlusOne = import_limits::kMaxSplineDegree + 1;

private:
    int m_p;
    const std::vector<position>& m_ctrl;
    const std::vector<double>& m_w;
    const std::vector<double>& m_k;
};

// Clamped knots spaced evenly, for splines whose stored knots do not fit.
std::vector<double> clampedUniformKnots(std::size_t controlCount, int degree)
{
    std::vector<double> knots;
    const std::size_t inner = controlCount - static_cast<std::size_t>(degree);
    for (int i = 0; i < degree; ++i)
        knots.push_back(0.0);
    for (std::size_t i = 0; i <= inner; ++i)
        knots.push_back(static_cast<double>(i));
    for (int i = 0; i < degree; ++i)
        knots.push_back(static_cast<double>(inner));
    return knots;
}

bool tessellateNurbs(const SplineRecord& s, double tolerance, std::vector<position>& out)
{
    const std::size_t n = s.control.size();
    if (s.degree < 1 || s.degree > import_limits::kMaxSplineDegree || n < static_cast<std::size_t>(s.degree) + 1)
        return false;
    if (!std::all_of(s.control.begin(), s.control.end(), finite))
        return false;
    std::vector<double> knots = s.knots;
    const bool knotsUsable = knots.size() == n + s.degree + 1
                             && std::all_of(knots.begin(), knots.end(), [](double k) { return std::isfinite(k); })
                             && std::is_sorted(knots.begin(), knots.end());
    if (!knotsUsable)
        knots = clampedUniformKnots(n, s.degree);
    std::vector<double> weights = s.weights;
    const bool weightsUsable = weights.size() == n && std::all_of(weights.begin(), weights.end(), [](double w) {
                                   return std::isfinite(w) && w > 0.0;
                               });
    if (!weightsUsable)
        weights.assign(n, 1.0);

    const Nurbs curve(s.degree, s.control, weights, knots);
    if (!(curve.last() - curve.first() > kTinyParameter))
        return false;
    out.push_back(curve(curve.first()));
    AdaptiveSampler sampler([&curve](double u) { return curve(u); }, tolerance, out);
    for (std::size_t i = static_cast<std::size_t>(s.degree); i < n; ++i) {
        if (!(knots[i + 1] - knots[i] > kTinyParameter))
            continue;
        // A span whose control points coincide is that point, whatever its
        // weights: nothing to sample. A file that declares more control
        // points than it gives leaves thousands of such spans.
        const position& p = s.control[i];
        const auto first = s.control.begin() + static_cast<std::ptrdiff_t>(i) - s.degree;
        if (std::all_of(first, first + s.degree, [&p](const position& q) { return q.x == p.x && q.y == p.y; })) {
            if (out.back().x != p.x || out.back().y != p.y)
                out.push_back(p);
            continue;
        }
        sampler.run(knots[i], knots[i + 1], kInitialSamplesPerSpan);
    }
    return true;
}

// Fit points closer than this, relative to their size, are one point: a
// chord of a length lost in rounding would divide the curve by nothing.
constexpr double kFitPointRounding = 1e-9;

bool samePoint(const position& a, const position& b)
{
    const double size = 1.0 + std::max({std::abs(a.x), std::abs(a.y), std::abs(b.x), std::abs(b.y)});
    return std::hypot(a.x - b.x, a.y - b.y) <= kFitPointRounding * size;
}

// A natural cubic through the fit points, parameterised by chord length.
bool tessellateFitPoints(const SplineRecord& s, double tolerance, std::vector<position>& out)
{
    std::vector<position> pts;
    for (const position& p : s.fit) {
        if (!finite(p))
            return false;
        if (pts.empty() || !samePoint(p, pts.back()))
            pts.push_back(p);
    }
    if (s.closed && pts.size() > 2 && !samePoint(pts.front(), pts.back()))
        pts.push_back(pts.front());
    const std::size_t n = pts.size();
    if (n < 2)
        return false;
    std::vector<double> t(n, 0.0);
    for (std::size_t i = 1; i < n; ++i)
        t[i] = t[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);

    // Second derivatives of x and y at the fit points (natural end conditions).
    auto secondDerivatives = [&](auto coord) {
        std::vector<double> m(n, 0.0), c(n, 0.0), rhs(n, 0.0);
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double h0 = t[i] - t[i - 1], h1 = t[i + 1] - t[i];
            const double diag = 2.0 * (h0 + h1) - h0 * c[i - 1];
            c[i] = h1 / diag;
            const double r = 6.0 * ((coord(pts[i + 1]) - coord(pts[i])) / h1 - (coord(pts[i]) - coord(pts[i - 1])) / h0);
            rhs[i] = (r - h0 * rhs[i - 1]) / diag;
        }
        for (std::size_t i = n - 1; i-- > 1;)
            m[i] = rhs[i] - c[i] * m[i + 1];
        return m;
    };
    const std::vector<double> mx = secondDerivatives([](const position& p) { return p.x; });
    const std::vector<double> my = secondDerivatives([](const position& p) { return p.y; });

    auto eval = [&](double u) {
        std::size_t i = static_cast<std::size_t>(std::upper_bound(t.begin(), t.end(), u) - t.begin());
        i = std::clamp<std::size_t>(i == 0 ? 0 : i - 1, 0, n - 2);
        const double h = t[i + 1] - t[i];
        const double a = (t[i + 1] - u) / h, b = (u - t[i]) / h;
        auto blend = [&](double v0, double v1, double m0, double m1) {
            return a * v0 + b * v1 + ((a * a * a - a) * m0 + (b * b * b - b) * m1) * h * h / 6.0;
        };
        return position{blend(pts[i].x, pts[i + 1].x, mx[i], mx[i + 1]),
                        blend(pts[i].y, pts[i + 1].y, my[i], my[i + 1]), 0.0};
    };
    out.push_back(pts.front());
    AdaptiveSampler sampler(eval, tolerance, out);
    for (std::size_t i = 0; i + 1 < n; ++i)
        sampler.run(t[i], t[i + 1], kInitialSamplesPerSpan);
    out.back() = pts.back();
    return true;
}

} // namespace

std::size_t arcSegmentCount(double radius, double sweep, double tolerance)
{
    const double turn = std::abs(sweep);
    double step = std::numbers::pi;
    if (tolerance < radius)
        step = 2.0 * std::acos(1.0 - tolerance / radius);
    step = std::min(step, kQuarterTurn);
    const double count = std::ceil(turn / step);
    if (!(count >= 1.0))
        return 1;
    return static_cast<std::size_t>(std::min(count, static_cast<double>(kMaxSegmentsPerCurve)));
}

bool tessellateArc(const position& centre, double radius, double start, double sweep, double tolerance,
                   std::vector<position>& out)
{
    if (!finite(centre) || !std::isfinite(radius) || radius <= 0.0 || !std::isfinite(start) || !std::isfinite(sweep))
        return false;
    const std::size_t n = arcSegmentCount(radius, sweep, tolerance);
    for (std::size_t i = 0; i <= n; ++i) {
        const double angle = start + sweep * static_cast<double>(i) / static_cast<double>(n);
        out.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle), centre.z});
    }
    return true;
}

bool tessellatePolyline(const PolylineRecord& poly, double tolerance, std::vector<position>& out)
{
    const auto& v = poly.vertices;
    if (v.empty())
        return false;
    for (const PolyVertex& p : v)
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
    out.push_back({v[0].x, v[0].y, 0.0});
    const std::size_t segments = poly.closed ? v.size() : v.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const PolyVertex& from = v[i];
        const PolyVertex& to = v[(i + 1) % v.size()];
        const position end{to.x, to.y, 0.0};
        const double bulge = std::isfinite(from.bulge) ? from.bulge : 0.0;
        const double chord = std::hypot(to.x - from.x, to.y - from.y);
        if (std::abs(bulge) > kTinyBulge && chord > 0.0) {
            const double sweep = 4.0 * std::atan(bulge);
            // The centre lies on the chord's perpendicular bisector, to the
            // left of the chord for a counter-clockwise arc shorter than half a turn.
            const double offset = chord / 2.0 / std::tan(sweep / 2.0);
            const double ux = (to.x - from.x) / chord, uy = (to.y - from.y) / chord;
            const position centre{(from.x + to.x) / 2.0 - uy * offset, (from.y + to.y) / 2.0 + ux * offset, 0.0};
            const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
            const double start = std::atan2(from.y - centre.y, from.x - centre.x);
            std::vector<position> arc;
            if (tessellateArc(centre, radius, start, sweep, tolerance, arc))
                out.insert(out.end(), arc.begin() + 1, arc.end() - 1);
        }
        out.push_back(end);
    }
    return true;
}

bool tessellateEllipse(const EllipseRecord& e, bool reversed, double tolerance, std::vector<position>& out)
{
    const double major = std::hypot(e.majorX, e.majorY);
    if (!finite(e.centre) || !std::isfinite(major) || major <= 0.0 || !std::isfinite(e.ratio) || e.ratio <= 0.0
        || !std::isfinite(e.startParam) || !std::isfinite(e.endParam))
        return false;
    double sweep = std::fmod(e.endParam - e.startParam, kTwoPi);
    if (sweep <= kTinyParameter)
        sweep += kTwoPi;
    const double side = reversed ? -1.0 : 1.0;
    const double minorX = -e.majorY * e.ratio * side, minorY = e.majorX * e.ratio * side;
    // The ellipse is a stretched unit circle: its chord error over a parameter
    // step is at most that of a circle of the larger semi-axis.
    const double bound = major * std::max(1.0, e.ratio);
    const std::size_t n = arcSegmentCount(bound, sweep, tolerance);
    for (std::size_t i = 0; i <= n; ++i) {
        const double t = e.startParam + sweep * static_cast<double>(i) / static_cast<double>(n);
        const double ct = std::cos(t), st = std::sin(t);
        out.push_back({e.centre.x + e.majorX * ct + minorX * st, e.centre.y + e.majorY * ct + minorY * st, 0.0});
    }
    return true;
}

bool tessellateSpline(const SplineRecord& spline, double tolerance, std::vector<position>& out)
{
    const std::size_t first = out.size();
    const bool made = spline.control.empty() ? tessellateFitPoints(spline, tolerance, out)
                                             : tessellateNurbs(spline, tolerance, out);
    // Data at the edge of what doubles hold can still make a point of no number.
    if (made && std::all_of(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                            [](const position& p) { return finite(p); }))
        return true;
    out.resize(first);
    return false;
}
