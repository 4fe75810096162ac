#include "CheckGeometry.h"

#include <map>
#include <numbers>
#include <set>

namespace check {
namespace {

bool allowedInside(const Planar& q, int tool, const sim::Machine& m, const Door& door, bool edge)
{
    const double r = radiusOf(m, tool);
    const int type = m.tools[tool].type;
    for (const Hole& h : door.holes)
        if (h.edge == edge && holeToolType(type, edge) && q.depth <= h.depth + kTol &&
            std::hypot(q.p.u - h.centre.u, q.p.v - h.centre.v) <= std::max(0.0, h.diameter / 2 - r) + kTol)
            return true;
    for (const Pocket& pk : door.pockets)
        if (pk.edge == edge && pk.toolType == type && q.depth <= pk.depth + kTol && insidePolygon(q.p, pk.outline) &&
            boundaryDistance(q.p, pk.outline) >= r - kTol)
            return true;
    return false;
}

void checkHole(const Hole& h, const sim::Run& run, const sim::Machine& m, const Door& door,
               std::vector<std::string>& fails)
{
    bool drilled = false;
    double deepest = -kInf;
    double widest = 0.0;
    std::set<int> sectors;
    for (const sim::Move& mv : run.moves) {
        if (mv.rapid || mv.tool < 0 || edgeTool(m, mv.tool) != h.edge)
            continue;
        const double r = radiusOf(m, mv.tool);
        if (r * 2 > h.diameter + 0.05)
            continue;
        const Planar a = planar(mv.from, h.edge, door);
        const Planar b = planar(mv.to, h.edge, door);
        const double da = std::hypot(a.p.u - h.centre.u, a.p.v - h.centre.v);
        const double db = std::hypot(b.p.u - h.centre.u, b.p.v - h.centre.v);
        if (da > h.diameter / 2 || db > h.diameter / 2)
            continue;
        if (std::abs(r * 2 - h.diameter) <= 0.05) {
            // A plunge at the centre to the depth.
            if (da <= kTol && db <= kTol && std::abs(b.depth - h.depth) <= kTol)
                drilled = true;
            continue;
        }
        // Helix: the tool circles the wall's radius at the bottom.
        if (db > h.diameter / 2 - r + kTol)
            continue;
        if (std::abs(b.depth - h.depth) <= kTol && std::abs(db - (h.diameter / 2 - r)) <= kTol) {
            const double angle = std::atan2(b.p.v - h.centre.v, b.p.u - h.centre.u);
            sectors.insert(static_cast<int>(std::floor((angle + std::numbers::pi) / (std::numbers::pi / 4))) % 8);
        }
        deepest = std::max(deepest, b.depth);
        widest = std::max(widest, db + r);
    }
    if (drilled)
        return;
    if (sectors.size() == 8 && std::abs(deepest - h.depth) <= kTol && std::abs(widest - h.diameter / 2) <= kTol)
        return;
    fails.push_back(h.name + ": not made at its centre and depth");
}

// Exact squared Euclidean distance transform of a grid (in cells), after
// Felzenszwalb and Huttenlocher: 0 for set cells.
std::vector<double> distanceTransform(const std::vector<char>& set, int w, int h)
{
    const double big = 1e20;
    std::vector<double> g(set.size());
    for (std::size_t i = 0; i < set.size(); ++i)
        g[i] = set[i] ? 0.0 : big;
    const auto pass1d = [&](std::vector<double>& f, int n) {
        std::vector<double> d(n), z(n + 1);
        std::vector<int> v(n);
        int k = 0;
        v[0] = 0;
        z[0] = -big;
        z[1] = big;
        for (int q = 1; q < n; ++q) {
            double s;
            while (true) {
                s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
                if (s > z[k] || k == 0)
                    break;
                --k;
            }
            if (s <= z[k]) {
                v[k] = q;
                z[k + 1] = big;
                continue;
            }
            ++k;
            v[k] = q;
            z[k] = s;
            z[k + 1] = big;
        }
        k = 0;
        for (int q = 0; q < n; ++q) {
            while (z[k + 1] < q)
                ++k;
            d[q] = double(q - v[k]) * (q - v[k]) + f[v[k]];
        }
        f = d;
    };
    std::vector<double> line;
    for (int x = 0; x < w; ++x) {
        line.assign(h, 0);
        for (int y = 0; y < h; ++y)
            line[y] = g[y * w + x];
        pass1d(line, h);
        for (int y = 0; y < h; ++y)
            g[y * w + x] = line[y];
    }
    for (int y = 0; y < h; ++y) {
        line.assign(g.begin() + y * w, g.begin() + (y + 1) * w);
        pass1d(line, w);
        std::copy(line.begin(), line.end(), g.begin() + y * w);
    }
    return g;
}

} // namespace

Coverage PocketCoverage(const sim::Run& run, const sim::Machine& m, const Door& door, const Pocket& pk)
{
    // The tool centres' tracks at the pocket's bottom, by tool radius: an
    // outline hole inside a pocket may be cut there by a smaller tool.
    std::map<double, std::vector<std::pair<P2, P2>>> tracks;
    for (const sim::Move& mv : run.moves) {
        if (mv.rapid || mv.tool < 0 || edgeTool(m, mv.tool) != pk.edge)
            continue;
        const Planar a = planar(mv.from, pk.edge, door);
        const Planar b = planar(mv.to, pk.edge, door);
        if (std::abs(a.depth - pk.depth) > kTol || std::abs(b.depth - pk.depth) > kTol)
            continue;
        if (!insidePolygon(a.p, pk.outline) || !insidePolygon(b.p, pk.outline))
            continue;
        tracks[radiusOf(m, mv.tool)].push_back({a.p, b.p});
    }
    if (tracks.empty())
        return {};
    // The pocket's own tool is the largest that cut in it.
    const double radius = tracks.rbegin()->first;

    Box box;
    for (const P2& p : pk.outline)
        box.add(p.u, p.v);
    const double area = (box.u1 - box.u0) * (box.v1 - box.v0);
    const double cell = std::max(0.05, std::sqrt(area / 400000.0));
    const int w = static_cast<int>(std::ceil((box.u1 - box.u0) / cell)) + 1;
    const int h = static_cast<int>(std::ceil((box.v1 - box.v0) / cell)) + 1;
    const auto centreOf = [&](int x, int y) { return P2{box.u0 + (x + 0.5) * cell, box.v0 + (y + 0.5) * cell}; };

    std::vector<char> inside(w * h), centres(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const P2 p = centreOf(x, y);
            inside[y * w + x] = insidePolygon(p, pk.outline);
            // A cell counts as a place for the tool centre when some point of
            // it may be one: a slot as wide as the tool has a line of them.
            centres[y * w + x] = inside[y * w + x] && boundaryDistance(p, pk.outline) >= radius - kTol - cell * 0.71;
        }
    std::vector<char> cleared(w * h);
    for (const auto& [r, track] : tracks) {
        std::vector<char> path(w * h);
        for (const auto& [a, b] : track) {
            const double len = std::hypot(b.u - a.u, b.v - a.v);
            const int n = std::max(1, static_cast<int>(std::ceil(len / (cell / 2))));
            for (int k = 0; k <= n; ++k) {
                const double t = static_cast<double>(k) / n;
                const int x = static_cast<int>((a.u + (b.u - a.u) * t - box.u0) / cell);
                const int y = static_cast<int>((a.v + (b.v - a.v) * t - box.v0) / cell);
                if (x >= 0 && x < w && y >= 0 && y < h)
                    path[y * w + x] = 1;
            }
        }
        const std::vector<double> toPath = distanceTransform(path, w, h);
        for (int i = 0; i < w * h; ++i)
            cleared[i] = cleared[i] || std::sqrt(toPath[i]) <= r / cell + 0.75;
    }
    const std::vector<double> toCentres = distanceTransform(centres, w, h);
    long reachable = 0, done = 0;
    for (int i = 0; i < w * h; ++i) {
        if (!inside[i] || std::sqrt(toCentres[i]) > radius / cell + 0.75)
            continue;
        ++reachable;
        done += cleared[i];
    }
    return {reachable ? static_cast<double>(done) / reachable : 0.0, radius};
}

void CheckFeatures(const sim::Run& run, const sim::Machine& m, const Door& door, std::vector<std::string>& fails)
{
    for (const Hole& h : door.holes)
        checkHole(h, run, m, door, fails);
    for (const Pocket& pk : door.pockets) {
        const Coverage c = PocketCoverage(run, m, door, pk);
        if (c.share < 0.98)
            fails.push_back(pk.name + ": only " + std::to_string(c.share * 100) + " % of the reachable area cleared");
    }
    Reporter once(fails);
    for (const sim::Move& mv : run.moves) {
        if (mv.rapid)
            continue;
        const bool edge = edgeTool(m, mv.tool);
        const std::string where = "line " + std::to_string(mv.line) + ": ";
        if (mv.turn < 0)
            once(where + "helix turning clockwise: the tool would not climb");
        along(mv, [&](const sim::Pt& pt) {
            const Planar q = planar(pt, edge, door);
            if (!edge && pt.z < -(door.thickness + door.breakthrough) - kTol)
                once(where + "cut below the bottom face beyond the breakthrough");
            if (edge && q.depth > door.width + kTol)
                once(where + "cut through the door's width");
            if (q.depth > kTol && mv.tool >= 0 && !allowedInside(q, mv.tool, m, door, edge))
                once(where + "cut outside every feature its tool may cut");
        });
    }
}

} // namespace check
