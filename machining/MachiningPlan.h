#pragma once

#include <machining/Features.h>
#include <machining/ToolPath.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GU_List.h>
#include <library/KnifeInfo.h>
#include <library/MachineProfile.h>

#include <string>
#include <vector>

enum class ProgramKind {
    Hinges, // the hinge mortises and holes on the top face
    Lock,   // the lock core: its side face from the top face, its top face in the lock edge
};

enum class PlanStatus {
    Ready,            // the tool uses are there to be written
    NothingToMachine, // the door has no hinge (lock core) to machine
    MissingTools,     // some feature has no tool that can make it; see `missing`
    OutsideDoor,      // some feature would cut outside the leaf; see `outside`
};

// A feature that no tool of the table can make, and what it asks for.
struct MissingTool {
    FeatureRef feature;
    bool pocket = false;
    double diameter = 0.0;             // holes: the hole's diameter
    double width = 0.0, height = 0.0;  // pockets: the outline's extent in its plane
    double depth = 0.0;
    int kinds = 0;                     // the tool kinds that could cut it (ToolChoice.h)
};

// A pocket whose corners or necks no tool of the table reaches.
struct UnreachedArea {
    FeatureRef feature;
    double area = 0.0;          // mm²
    Polygon2 outline;           // the pocket's
    double triedDiameter = 0.0; // the smallest tool that cut it
};

// The largest tool diameter, to a tenth of a millimetre, that would leave
// less than kListedUnreachedArea of the pocket: worked out only when asked,
// as it takes a few offsets of the outline.
double ReachingDiameter(const UnreachedArea& unreached);

// Feeds above these are asked about before a program is written: wood is
// drilled at about 0.1–0.3 mm per revolution and milled at a few m/min.
inline constexpr double kMaxFeedPerTurn = 0.5; // mm per revolution
inline constexpr int kMaxPlungeFeed = 6000;    // mm/min

enum class WarningKind {
    FeedPerTurn,   // a tool's feed per revolution at its spindle speed is above kMaxFeedPerTurn
    PlungePerTurn, // the same for its plunge feed
    PlungeFeed,    // its plunge feed is above kMaxPlungeFeed
    ThinWall,      // a face hole leaves less than kMinHoleWall to the leaf's edge
};

// Something a program would do that the user is asked about before it is
// written.
struct PlanWarning {
    WarningKind kind = WarningKind::FeedPerTurn;
    int tool = 0;        // feeds: the tool's number
    FeatureRef feature;  // walls: the hole
    double value = 0.0;  // the feed (mm/min) or the wall (mm)
    double speed = 0.0;  // per-revolution feeds: the spindle speed (rpm)
};

struct MachiningPlan {
    ProgramKind kind = ProgramKind::Hinges;
    PlanStatus status = PlanStatus::NothingToMachine;
    std::string doorName; // GBK
    double length = 0.0, width = 0.0, thickness = 0.0;
    std::vector<ToolUse> uses;
    std::vector<FeatureRef> leftOut;
    std::vector<UnreachedArea> unreached;
    std::vector<PlanWarning> warnings;
    std::vector<MissingTool> missing;
    std::vector<FeatureRef> outside;
    std::vector<Overrun> overruns; // why each of `outside` does not fit
};

// Pockets leaving less than this area unreached are not listed (mm²).
inline constexpr double kListedUnreachedArea = 1.0;

// Plans one program for the door: its features, a tool for each, the cuts,
// ordered so that each tool is used once and travel stays short.
MachiningPlan PlanProgram(ProgramKind kind, const GK_DoorWithHinges& door, const GU_OwnedList<KnifeInfo>& tools,
                          const MachineProfile& profile);
