#include "ProgramChecks.h"

#include "CheckGeometry.h"

#include <kernel/GK_Hinges.h>
#include <kernel/GK_Hole.h>
#include <kernel/GK_LockCore.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <set>

namespace check {
namespace {

// A part laid on a door edge the way the drawing shows it: turned a quarter
// turn when taller than wide, centred on the position along the door, its
// box against the edge; mirrored at the far edge.
class EdgePlacement {
public:
    EdgePlacement(const Box& box, double atX, double atY, bool far, double width) : m_far(far), m_width(width), m_atY(atY)
    {
        m_turn = box.v1 - box.v0 > box.u1 - box.u0;
        Box o;
        for (const P2& c : {P2{box.u0, box.v0}, P2{box.u1, box.v1}}) {
            const P2 t = turn(c);
            o.add(t.u, t.v);
        }
        m_du = atX - (o.u0 + o.u1) / 2;
        m_v0 = o.v0;
    }

    P2 operator()(double x, double y) const
    {
        const P2 t = turn({x, y});
        const double off = t.v - m_v0;
        return {t.u + m_du, m_far ? m_width - m_atY - off : m_atY + off};
    }

private:
    P2 turn(const P2& p) const { return m_turn ? P2{-p.v, p.u} : p; }

    bool m_turn = false;
    bool m_far;
    double m_width;
    double m_atY;
    double m_du = 0.0;
    double m_v0 = 0.0;
};

void addLoop(Box& b, const GU_Loop& loop)
{
    for (const position& p : loop)
        b.add(p.x, p.y);
}

void addHoles(Box& b, const GU_OwnedList<GK_Hole>& holes)
{
    for (const GK_Hole* h : holes) {
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            const double r = std::abs(c->get_radius());
            b.add(c->get_cen().x - r, c->get_cen().y - r);
            b.add(c->get_cen().x + r, c->get_cen().y + r);
        } else if (h->get_loop()) {
            addLoop(b, *h->get_loop());
        }
    }
}

template <typename Map>
std::vector<P2> mapLoop(const GU_Loop& loop, const Map& map)
{
    std::vector<P2> out;
    for (const position& p : loop)
        out.push_back(map(p.x, p.y));
    return out;
}

Door frame(const GK_DoorWithHinges& door, double breakthrough)
{
    Door d;
    door.GetDoorSize(d.length, d.width, d.thickness);
    d.breakthrough = breakthrough;
    const bool lockFar = door.HingesUp() != 1;
    d.edgeY = lockFar ? d.width : 0.0;
    d.inward = lockFar ? -1.0 : 1.0;
    return d;
}

} // namespace

Door ExpectHingeProgram(const GK_DoorWithHinges& door, double breakthrough)
{
    Door d = frame(door, breakthrough);
    const GK_Hinges* hinge = door.GetHingesModel();
    if (!hinge)
        return d;
    Box box;
    addLoop(box, hinge->GetLoopOut());
    for (const GK_Circle_Hole* c : hinge->GetListHole()) {
        const double r = std::abs(c->get_radius());
        box.add(c->get_cen().x - r, c->get_cen().y - r);
        box.add(c->get_cen().x + r, c->get_cen().y + r);
    }
    const bool far = door.HingesUp() == 1;
    const bool mortise = hinge->GetMortise() && hinge->GetThick() > 0;
    int part = 0;
    for (const position& at : door.GetHingesPos()) {
        ++part;
        const EdgePlacement place(box, at.x, at.y, far, d.width);
        const std::string name = "hinge " + std::to_string(part);
        if (mortise)
            d.pockets.push_back({name + " mortise", false, 0, mapLoop(hinge->GetLoopOut(), place), hinge->GetThick()});
        int n = 0;
        for (const GK_Circle_Hole* c : hinge->GetListHole()) {
            ++n;
            // The mortise makes a hole that goes no deeper than its floor.
            const double depth = std::abs(c->get_z());
            if (depth == 0 || (mortise && depth <= hinge->GetThick()))
                continue;
            d.holes.push_back({name + " hole " + std::to_string(n), false, place(c->get_cen().x, c->get_cen().y),
                               2 * std::abs(c->get_radius()), depth});
        }
    }
    return d;
}

Door ExpectLockProgram(const GK_DoorWithHinges& door, double breakthrough, double recessDepth)
{
    Door d = frame(door, breakthrough);
    const GK_LockCore* lock = door.GetLockCoreModel();
    if (!lock)
        return d;
    Box side;
    addLoop(side, lock->GetSideLoop());
    addHoles(side, lock->GetSideList());
    const bool far = door.HingesUp() != 1;
    const EdgePlacement place(side, door.GetLockCorePos().x, door.GetLockCorePos().y, far, d.width);
    const double through = d.thickness + breakthrough;
    int n = 0;
    for (const GK_Hole* h : lock->GetSideList()) {
        ++n;
        const std::string name = "side hole " + std::to_string(n);
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            // Through the door, whatever depth the model gives.
            d.holes.push_back({name, false, place(c->get_cen().x, c->get_cen().y), 2 * std::abs(c->get_radius()), through});
        } else {
            d.pockets.push_back({name, false, 1, mapLoop(*h->get_loop(), place), through});
        }
    }

    // The body: its length along the door and its reach into it.
    Box body;
    double reach = 0;
    for (const P2& c : {P2{side.u0, side.v0}, P2{side.u1, side.v0}, P2{side.u0, side.v1}, P2{side.u1, side.v1}}) {
        const P2 q = place(c.u, c.v);
        body.add(q.u, q.v);
        reach = std::max(reach, d.inward * (q.v - d.edgeY));
    }

    // The faceplate on the edge: long side along the door, centred on the
    // lock position and across the thickness.
    Box top;
    addLoop(top, lock->GetTopLoop());
    addHoles(top, lock->GetTopList());
    const bool turn = top.v1 - top.v0 > top.u1 - top.u0;
    const double cu = turn ? -(top.v0 + top.v1) / 2 : (top.u0 + top.u1) / 2;
    const double cv = turn ? (top.u0 + top.u1) / 2 : (top.v0 + top.v1) / 2;
    const double lockX = door.GetLockCorePos().x;
    const double midZ = -d.thickness / 2;
    const auto plate = [&](double x, double y) {
        const P2 t = turn ? P2{-y, x} : P2{x, y};
        return P2{t.u - cu + lockX, t.v - cv + midZ};
    };
    d.pockets.push_back({"faceplate recess", true, 2, mapLoop(lock->GetTopLoop(), plate), recessDepth});
    if (lock->GetThick() > 0) {
        const double t = lock->GetThick() / 2;
        d.pockets.push_back({"body slot", true, 2,
                             {{body.u0, midZ - t}, {body.u1, midZ - t}, {body.u1, midZ + t}, {body.u0, midZ + t}},
                             reach});
    }
    n = 0;
    for (const GK_Hole* h : lock->GetTopList()) {
        ++n;
        const std::string name = "faceplate hole " + std::to_string(n);
        if (h->is_circle()) {
            const auto* c = static_cast<const GK_Circle_Hole*>(h);
            d.holes.push_back({name, true, plate(c->get_cen().x, c->get_cen().y), 2 * std::abs(c->get_radius()),
                               c->get_z() != 0 ? std::abs(c->get_z()) : reach});
        } else {
            d.pockets.push_back({name, true, 2, mapLoop(*h->get_loop(), plate), reach});
        }
    }
    return d;
}

std::vector<std::string> CheckProgram(const sim::Run& run, const sim::Machine& m, const Door& door, const Rules& rules)
{
    std::vector<std::string> fails = run.errors;
    if (run.moves.empty())
        fails.push_back("no moves");
    CheckFeatures(run, m, door, fails);
    CheckMotion(run, m, door, rules, fails);
    return fails;
}

} // namespace check
