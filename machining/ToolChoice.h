#pragma once

#include <machining/Features.h>

#include <kernel/GU_List.h>
#include <library/KnifeInfo.h>

#include <vector>

// Tool kinds as a set: bit (1 << Type) for the table's "Type" 0 hinge tool,
// 1 vertical tool, 2 lock-hole side tool.
inline constexpr int kHingeTools = 1 << 0;
inline constexpr int kVerticalTools = 1 << 1;
inline constexpr int kSideTools = 1 << 2;

// A hole is drilled by a tool whose diameter equals its own within this (mm).
inline constexpr double kDrillDiameterTolerance = 0.05;

// The kinds of tool that may cut a feature: mortises take hinge tools, holes
// from the top face hinge or vertical tools, outline holes there vertical
// tools, and everything in the lock edge side tools.
int ToolKindsFor(const FeatureRef& feature);

// The enabled tools of the given kinds that can cut at all (a diameter, a
// feed and a safe distance above zero), main spindles first and otherwise in
// table order.
std::vector<const KnifeInfo*> CandidateTools(const GU_OwnedList<KnifeInfo>& tools, int kinds);

// The first candidate whose diameter equals the hole's; null when none does.
const KnifeInfo* DrillFor(const std::vector<const KnifeInfo*>& candidates, double diameter);
// The largest candidate smaller than the hole, which mills it by a helix
// (the first of several of that diameter); null when none is smaller.
const KnifeInfo* HelixToolFor(const std::vector<const KnifeInfo*>& candidates, double diameter);
// The candidates in the order a pocket tries them: main spindles first, then
// the larger diameter first.
std::vector<const KnifeInfo*> PocketToolOrder(std::vector<const KnifeInfo*> candidates);

// The feed along the tool's axis: its plunge feed, or its feed without one.
int PlungeFeed(const KnifeInfo& tool);
// Whether the tool may move sideways in the cut: every tool but a drill.
bool CutsSideways(const KnifeInfo& tool);
// The candidates that may move sideways, in their order.
std::vector<const KnifeInfo*> Cutters(std::vector<const KnifeInfo*> candidates);
