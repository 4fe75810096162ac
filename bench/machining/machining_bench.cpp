// Both machining programs (hinges and lock) for a door with four mortised
// hinges whose outlines have 2,000 vertices each and a lock core, beside
// Clipper's offsetting of the same four placed outlines alone: every inward
// offset the hinge pockets' passes need (the tool radius, then one stepover
// more at a time until nothing is left). Target: the programs in at most 2
// times the offsetting.
//
// Two outlines: "arcs", a rounded rectangle whose corners are tessellated
// into 500 vertices each as CAD arcs are, which the generator thins before
// offsetting; and "wavy", whose long sides are waves that need every vertex.
#include <machining/GcodeWriter.h>
#include <machining/MachiningPlan.h>

#include <kernel/GK_Factories.h>
#include <kernel/GK_Placement.h>

#include <benchmark/benchmark.h>
#include <clipper.hpp>

#include <cmath>
#include <numbers>

namespace {

constexpr int kVerticesPerCorner = 500; // four corners: 2,000 vertices
constexpr int kVerticesPerWave = 1000; // two long sides: 2,000 vertices
constexpr double kToolDiameter = 12.0;

GU_Pt_List roundedOutline(double w, double h, double r)
{
    GU_Pt_List out;
    const double cx[4] = {w - r, w - r, r, r};
    const double cy[4] = {r, h - r, h - r, r};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < kVerticesPerCorner; ++k) {
            const double a = (c - 1) * std::numbers::pi / 2 + k * (std::numbers::pi / 2) / (kVerticesPerCorner - 1);
            out.add_tail({cx[c] + r * std::cos(a), cy[c] + r * std::sin(a), 0});
        }
    return out;
}

// 100 × 35 with long sides waving by 0.3 mm every 5 mm.
GU_Pt_List wavyOutline()
{
    GU_Pt_List out;
    const double w = 100, h = 35, amplitude = 0.3, period = 5;
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < kVerticesPerWave; ++k) {
            const double x = w * k / (kVerticesPerWave - 1);
            const double wave = amplitude * std::sin(2 * std::numbers::pi * x / period);
            out.add_tail(side == 0 ? position{x, wave, 0} : position{w - x, h + wave, 0});
        }
    return out;
}

std::unique_ptr<KnifeInfo> tool(int id, int type, double diameter, int isMain = 0)
{
    auto k = std::make_unique<KnifeInfo>();
    k->ID = id;
    k->Type = type;
    k->Diameter = diameter;
    k->IsMain = isMain;
    k->Vel = 6000;
    k->SafeDistance = 10;
    k->AirForward = "M1" + std::to_string(id);
    k->AirBack = "M2" + std::to_string(id);
    k->DrillStart = "M03";
    k->DrillStop = "M05";
    return k;
}

struct Shop {
    GU_OwnedList<KnifeInfo> tools;
    std::shared_ptr<GK_Hinges> hinge;
    std::shared_ptr<GK_LockCore> lock =
        api_gk_make_lockcore(roundedOutline(24, 240, 12), {{0, 0, 0}, {60, 0, 0}, {60, 180, 0}, {0, 180, 0}});
    std::unique_ptr<GK_DoorWithHinges> door = api_gk_make_door_with_hinges("D", "", 2100, 900, 40);
    MachineProfile profile;

    explicit Shop(bool wavy) : hinge(api_gk_make_hinges(wavy ? wavyOutline() : roundedOutline(100, 35, 8)))
    {
        tools.add_tail(tool(1, 0, kToolDiameter, 1));
        tools.add_tail(tool(2, 1, 5));
        tools.add_tail(tool(3, 1, 22));
        tools.add_tail(tool(4, 2, 16, 1));
        tools.add_tail(tool(5, 2, 4));
        hinge->SetThick(3);
        hinge->SetMortise(true);
        for (int i = 0; i < 4; ++i)
            hinge->AddHoleToList(api_gk_make_circle_hole({15.0 + 23 * i, 17.5, 0}, 5, 12).release());
        lock->SetThick(16);
        lock->GetTopList().add_tail(api_gk_make_circle_hole({12, 20, 0}, 4, 5));
        lock->GetTopList().add_tail(api_gk_make_circle_hole({12, 220, 0}, 4, 5));
        lock->GetSideList().add_tail(api_gk_make_circle_hole({35, 55, 0}, 22, 0));
        door->SetHingesModel(hinge);
        door->SetLockCoreModel(lock);
        for (const double x : {200.0, 750.0, 1350.0, 1900.0})
            door->SetHingesPos({x, 0, 0});
        door->SetLockCorePos({1000, 0, 0});
    }
};

void BM_BothPrograms(benchmark::State& state, bool wavy)
{
    const Shop shop(wavy);
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const ProgramKind kind : {ProgramKind::Hinges, ProgramKind::Lock}) {
            const MachiningPlan plan = PlanProgram(kind, *shop.door, shop.tools, shop.profile);
            if (plan.status != PlanStatus::Ready)
                state.SkipWithError("no program");
            const std::string text = WriteGcode(plan, shop.profile);
            bytes = text.size();
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.counters["lock_program_bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_BothPrograms, arcs, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BothPrograms, wavy, true)->Unit(benchmark::kMillisecond);

void BM_ClipperOffsetsAlone(benchmark::State& state, bool wavy)
{
    const Shop shop(wavy);
    // The four outlines as placed on the leaf, in Clipper's units (0.1 µm).
    ClipperLib::Paths outlines;
    for (const auto& placed : GK_LayOutDoor(*shop.door).hinges) {
        ClipperLib::Path path;
        for (const position& p : shop.hinge->GetLoopOut()) {
            const position q = placed->map(p);
            path.push_back(ClipperLib::IntPoint(std::llround(q.x * 1e4), std::llround(q.y * 1e4)));
        }
        outlines.push_back(std::move(path));
    }
    const double radius = kToolDiameter / 2;
    const double stepover = kToolDiameter * shop.profile.Stepover / 100.0;
    for (auto _ : state) {
        for (const ClipperLib::Path& outline : outlines) {
            ClipperLib::ClipperOffset offset(2.0, 0.002 * 1e4);
            offset.AddPath(outline, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            for (int k = 0;; ++k) {
                ClipperLib::Paths pass;
                offset.Execute(pass, -(radius + k * stepover) * 1e4);
                benchmark::DoNotOptimize(pass.data());
                if (pass.empty())
                    break;
            }
        }
    }
}
BENCHMARK_CAPTURE(BM_ClipperOffsetsAlone, arcs, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClipperOffsetsAlone, wavy, true)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
