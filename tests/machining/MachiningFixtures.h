#pragma once

// Doors, tool tables and machines for the machining tests.

#include "GcodeSim.h"
#include "ProgramChecks.h"

#include <kernel/GK_Factories.h>
#include <kernel/GU_List.h>
#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/KnifeInfo.h>
#include <library/LockCoreFile.h>
#include <library/MachineProfile.h>
#include <library/ModelLibrary.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

namespace fixtures {

inline GU_Pt_List rectangle(double x, double y, double w, double h)
{
    return GU_Pt_List{{x, y, 0}, {x + w, y, 0}, {x + w, y + h, 0}, {x, y + h, 0}};
}

// A rectangle w × h from the origin with corners rounded to radius r.
inline GU_Pt_List rounded(double w, double h, double r, int perCorner = 8)
{
    GU_Pt_List out;
    const double cx[4] = {w - r, w - r, r, r};
    const double cy[4] = {r, h - r, h - r, r};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k <= perCorner; ++k) {
            const double a = (c - 1) * std::numbers::pi / 2 + k * (std::numbers::pi / 2) / perCorner;
            out.add_tail({cx[c] + r * std::cos(a), cy[c] + r * std::sin(a), 0});
        }
    return out;
}

// A tool fed as wood wants it: at most 0.25 mm per revolution at its spindle
// speed "S1<id>000", plunging at a third of its feed.
inline std::unique_ptr<KnifeInfo> tool(int id, int type, double diameter, int isMain = 0, int enable = 1,
                                       KnifeKind kind = KnifeKind::Cutter)
{
    auto k = std::make_unique<KnifeInfo>();
    k->ID = id;
    k->Type = type;
    k->Diameter = diameter;
    k->IsMain = isMain;
    k->Enable = enable;
    k->Kind = kind;
    k->Vel = 3000 + 100 * id;
    k->PlungeVel = k->Vel / 3;
    k->SafeDistance = type == 2 ? 15.0 : 10.0;
    const std::string n = std::to_string(id);
    k->AirForward = "M1" + n + "1";
    k->DrillStart = "M03 S1" + n + "000";
    k->DrillStop = "M1" + n + "2";
    k->AirBack = "M1" + n + "3";
    return k;
}

// Enough tools for the generated doors, some of them decoys.
inline void standardTools(GU_OwnedList<KnifeInfo>& tools)
{
    tools.add_tail(tool(1, 0, 12.0, 1));                       // hinge cutter, main spindle: mortises
    tools.add_tail(tool(2, 0, 35.0, 0, 1, KnifeKind::Drill));  // cup hinge bit
    tools.add_tail(tool(3, 1, 5.0, 0, 1, KnifeKind::Drill));   // screw holes
    tools.add_tail(tool(4, 1, 8.0));                           // helices and small pockets
    tools.add_tail(tool(5, 2, 16.0, 1));                       // side head, main: recess and body slot
    tools.add_tail(tool(6, 2, 4.0, 0, 1, KnifeKind::Drill));   // faceplate screw holes
    tools.add_tail(tool(7, 2, 8.0));                           // faceplate windows, slot corners
    tools.add_tail(tool(8, 1, 3.0, 0, 0));                     // disabled
    auto slow = tool(9, 1, 2.0);
    slow->Vel = 0; // no feed: never used
    tools.add_tail(std::move(slow));
}

// A hinge with every kind of hole: drilled, milled by a helix, of depth 0
// (made only with a mortise), and the big cup.
inline std::unique_ptr<GK_Hinges> hinge(bool tall, bool mortise)
{
    auto h = tall ? api_gk_make_hinges(rounded(40, 100, 6)) : api_gk_make_hinges(rounded(100, 40, 6));
    const auto at = [&](double along, double across) { return tall ? position{across, along, 0} : position{along, across, 0}; };
    h->AddHoleToList(api_gk_make_circle_hole(at(12, 20), 5, 12).release());
    h->AddHoleToList(api_gk_make_circle_hole(at(30, 12), 10, -8).release());
    h->AddHoleToList(api_gk_make_circle_hole(at(88, 20), 5, 0).release());
    h->AddHoleToList(api_gk_make_circle_hole(at(60, 20), 35, 12).release());
    h->SetName("H");
    h->SetThick(3);
    h->SetMortise(mortise);
    return h;
}

// A lock core with round and outline holes on both faces.
inline std::unique_ptr<GK_LockCore> lockCore()
{
    auto l = api_gk_make_lockcore(rounded(24, 240, 12), rectangle(0, 0, 60, 180));
    l->SetName("L");
    l->SetThick(16);
    l->GetTopList().add_tail(api_gk_make_circle_hole({12, 20, 0}, 4, 5));
    l->GetTopList().add_tail(api_gk_make_circle_hole({12, 220, 0}, 10, 0));
    l->GetTopList().add_tail(api_gk_make_hole(rectangle(4, 135, 16, 30), 0));
    l->GetTopList().add_tail(api_gk_make_hole(rectangle(6, 80, 12, 20), 0));
    l->GetSideList().add_tail(api_gk_make_circle_hole({35, 55, 0}, 22, 0));
    l->GetSideList().add_tail(api_gk_make_circle_hole({35, 150, 0}, 5, 12));
    l->GetSideList().add_tail(api_gk_make_hole(rectangle(31, 116, 8, 8), 0));
    return l;
}

inline std::unique_ptr<GK_DoorWithHinges> door(std::shared_ptr<GK_Hinges> hinges, std::shared_ptr<GK_LockCore> lock,
                                                int hingesUp)
{
    auto d = api_gk_make_door_with_hinges("D", "", 2100, 900, 40);
    d->SetHingesModel(hinges);
    d->SetLockCoreModel(lock);
    d->SetHingesUp(hingesUp);
    for (const position& p : {position{200, 0, 0}, position{700, 5, 0}, position{1400, 0, 0}, position{1900, 0, 0}})
        d->SetHingesPos(p);
    d->SetLockCorePos({1000, 0, 0});
    return d;
}

// The library of samples/library.
inline void loadSampleLibrary(ModelLibrary& library)
{
    const std::string folder = VARNHOLT_SOURCE_DIR "/samples/library/";
    LoadAllHinges(folder, library.hinges);
    LoadAllLockCores(folder, library.lockCores);
    LoadAllDoorModels(folder, library.doors, library);
    LoadKnifeFile(folder, library.knives);
}

// What the profile allows the tools, as the checks are told.
inline check::Rules rules(const MachineProfile& p)
{
    check::Rules r;
    r.passDiameters = p.PassDepthDiameters;
    r.passMax = p.PassDepthMax;
    r.helixAngle = p.HelixAngle;
    r.peck = p.PeckDepth;
    r.safeHeight = p.SafeHeight;
    return r;
}

// The machine as the reader is told about it.
inline sim::Machine machine(const MachineProfile& p, const GK_DoorWithHinges& d, const GU_OwnedList<KnifeInfo>& tools)
{
    sim::Machine m;
    double t = 0;
    d.GetDoorSize(m.length, m.width, t);
    m.originCorner = p.OriginCorner;
    m.xDir = p.XDirection;
    m.yDir = p.YDirection;
    m.side[0] = p.SideAxisX[0];
    m.side[1] = p.SideAxisY[0];
    m.side[2] = p.SideAxisZ[0];
    m.crlf = p.CrLf != 0;
    for (const KnifeInfo* k : tools)
        m.tools.push_back({k->ID, k->Type, k->Diameter, k->SafeDistance, k->Kind == KnifeKind::Drill, k->AirForward,
                           k->DrillStart, k->DrillStop, k->AirBack});
    return m;
}

} // namespace fixtures
