#pragma once

#include <machining/Plane.h>

#include <kernel/GK_DoorWithHinges.h>
#include <kernel/GK_Placement.h>
#include <kernel/position.h>
#include <library/MachineProfile.h>

#include <vector>

// What a program cuts, feature by feature, in the leaf's frame: x along the
// door's length, y across its width, z up with 0 on the top face, the origin
// at the leaf's corner (0, 0) as the drawing view draws it.

enum class FeatureKind {
    HingeMortise,    // a mortised hinge's outline, pocketed to the hinge's thickness
    HingeHole,       // a hinge's hole, drilled from the top face
    LockHole,        // a round hole of the lock core's side face, through the door
    LockPocket,      // an outline hole of the side face, pocketed through the door
    FaceplateRecess, // the lock core's top face, let into the lock edge
    BodySlot,        // the slot for the lock core's body, behind the recess
    FaceplateHole,   // a round hole of the top face, drilled into the lock edge
    FaceplatePocket, // an outline hole of the top face, pocketed into the lock edge
};

// Names a feature: the hinge position (from 1) for hinge features, and the
// hole (from 1, in the model's list) for holes.
struct FeatureRef {
    FeatureKind kind = FeatureKind::HingeHole;
    int part = 0;
    int hole = 0;

    friend bool operator==(const FeatureRef&, const FeatureRef&) = default;
};

// The plane a feature is cut in and the direction into the door. On the top
// face the plane point (u, v) is the leaf's (x, y) and depth runs down z; on
// the lock edge (u, v) is the leaf's (x, z) and depth runs along y from the
// edge into the door.
struct WorkFrame {
    bool edge = false;
    double edgeY = 0.0;  // the lock edge's y
    double inward = 1.0; // 1 when the door lies towards larger y from the edge, else -1

    // The leaf point of plane point p at the given depth below the surface
    // (a negative depth lies in front of it).
    position at(const Point2& p, double depth) const;
};

struct HoleFeature {
    FeatureRef ref;
    WorkFrame frame;
    Point2 centre;
    double diameter = 0.0;
    double depth = 0.0; // below the surface, above 0
};

struct PocketFeature {
    FeatureRef ref;
    WorkFrame frame;
    Polygon2 outline;
    double depth = 0.0;
};

// Where a feature passes the leaf: its extent along the door or across its
// plane (the leaf's width on the top face, its thickness on the lock edge),
// or its depth.
enum class OverrunKind { Along, Across, Depth };
struct Overrun {
    FeatureRef ref;
    OverrunKind kind = OverrunKind::Along;
    bool edge = false;      // in the lock edge
    bool hole = false;      // a round hole: `size` is its diameter
    double size = 0.0;      // the diameter or the extent in that direction, or the depth (mm)
    double from = 0.0, to = 0.0; // where it lies in that direction (Along, Across)
    double limit = 0.0;     // the leaf's length, width or thickness; the deepest allowed
};

// A face hole leaving less than this to an edge of the leaf breaks out of it (mm).
inline constexpr double kMinHoleWall = 3.0;

// A face hole that comes nearer to an edge of the leaf than a sound wall.
struct ThinWall {
    FeatureRef ref;
    double wall = 0.0; // mm
};

struct DoorFeatures {
    std::vector<HoleFeature> holes;
    std::vector<PocketFeature> pockets;
    // Holes left out: of depth 0 on a hinge without a mortise, or without a
    // diameter; a body slot of a lock core without thickness.
    std::vector<FeatureRef> leftOut;
    // Features that would cut outside the leaf or deeper than it allows.
    std::vector<Overrun> outside;
    std::vector<ThinWall> thinWalls;
};

// The features of the hinge program: at every hinge position the mortise of
// a mortised hinge, then the hinge's holes; a hole of depth 0 in a mortised
// hinge is made by the mortise alone.
DoorFeatures CollectHingeFeatures(const GK_DoorWithHinges& door, const GK_DoorLayout& layout,
                                  const MachineProfile& profile);
// The features of the lock program: the side face's holes from the top face,
// every one through the door, then the recess, the body slot and the top
// face's holes in the lock edge.
DoorFeatures CollectLockFeatures(const GK_DoorWithHinges& door, const GK_DoorLayout& layout,
                                 const MachineProfile& profile);

// The frame of the lock edge of a laid-out door.
WorkFrame LockEdgeFrame(const GK_DoorLayout& layout);
