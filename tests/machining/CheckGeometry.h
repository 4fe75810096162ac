#pragma once

// The plane geometry that the checks of a replayed program share.

#include "GcodeSim.h"
#include "ProgramChecks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace check {

inline constexpr double kTol = 0.01;
inline constexpr double kInf = std::numeric_limits<double>::infinity();

struct Box {
    double u0 = kInf, v0 = kInf, u1 = -kInf, v1 = -kInf;
    void add(double u, double v)
    {
        u0 = std::min(u0, u);
        v0 = std::min(v0, v);
        u1 = std::max(u1, u);
        v1 = std::max(v1, v);
    }
};

inline double segmentDistance(const P2& p, const P2& a, const P2& b)
{
    const double du = b.u - a.u, dv = b.v - a.v;
    const double l2 = du * du + dv * dv;
    const double t = l2 > 0 ? std::clamp(((p.u - a.u) * du + (p.v - a.v) * dv) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(p.u - a.u - t * du, p.v - a.v - t * dv);
}

inline bool insidePolygon(const P2& p, const std::vector<P2>& poly)
{
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const P2& a = poly[i];
        const P2& b = poly[j];
        if ((a.v > p.v) != (b.v > p.v) && p.u < (b.u - a.u) * (p.v - a.v) / (b.v - a.v) + a.u)
            in = !in;
    }
    return in;
}

inline double boundaryDistance(const P2& p, const std::vector<P2>& poly)
{
    double d = kInf;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
        d = std::min(d, segmentDistance(p, poly[j], poly[i]));
    return d;
}

struct Planar {
    P2 p;
    double depth;
};

inline Planar planar(const sim::Pt& pt, bool edge, const Door& door)
{
    if (edge)
        return {{pt.x, pt.z}, door.inward * (pt.y - door.edgeY)};
    return {{pt.x, pt.y}, -pt.z};
}

inline bool edgeTool(const sim::Machine& m, int tool)
{
    return tool >= 0 && m.tools[tool].type == 2;
}

inline double radiusOf(const sim::Machine& m, int tool)
{
    return tool >= 0 ? m.tools[tool].diameter / 2 : 0.0;
}

// Points along a move, at most 0.25 mm apart.
template <typename F>
inline void along(const sim::Move& mv, F f)
{
    const double len = std::hypot(mv.to.x - mv.from.x, mv.to.y - mv.from.y, mv.to.z - mv.from.z);
    const int n = std::max(1, static_cast<int>(std::ceil(len / 0.25)));
    for (int k = 0; k <= n; ++k) {
        const double t = static_cast<double>(k) / n;
        f(sim::Pt{mv.from.x + (mv.to.x - mv.from.x) * t, mv.from.y + (mv.to.y - mv.from.y) * t,
                  mv.from.z + (mv.to.z - mv.from.z) * t});
    }
}

inline bool holeToolType(int type, bool edge)
{
    return edge ? type == 2 : (type == 0 || type == 1);
}

// Adds failures, at most 20 of one kind of check, so that one fault in a
// loop does not bury the rest.
class Reporter {
public:
    explicit Reporter(std::vector<std::string>& fails) : m_fails(fails), m_start(fails.size()) {}
    void operator()(const std::string& what)
    {
        if (m_fails.size() < m_start + 20)
            m_fails.push_back(what);
    }

private:
    std::vector<std::string>& m_fails;
    std::size_t m_start;
};

// Every hole at its centre and depth, every pocket cleared, every cut inside
// a feature its tool may cut and turning the climbing way.
void CheckFeatures(const sim::Run& run, const sim::Machine& m, const Door& door, std::vector<std::string>& fails);
// The tools' motion against the rules: see CheckProgram.
void CheckMotion(const sim::Run& run, const sim::Machine& m, const Door& door, const Rules& rules,
                 std::vector<std::string>& fails);

} // namespace check
