#pragma once

#include <machining/MachiningPlan.h>
#include <machining/Plane.h>

#include <optional>
#include <vector>

// A tool of the preview: its table number, its diameter and whether the side
// head carries it.
struct PreviewTool {
    int id = 0;
    double diameter = 0.0;
    bool sideHead = false;
};

// A point of a stroke and how the stroke comes to it from the point before:
// straight, or along an arc about `centre` turning by `sweep` radians
// (counter-clockwise in the view's x and y when positive). Arcs stay arcs so
// that the view can draw them as finely as its zoom needs.
struct PreviewPoint {
    Point2 at;
    Point2 centre;
    double sweep = 0.0; // 0: straight
};

// A tool's path as the preview draws it: straight pieces and arcs, either
// rapid moves or cuts. The vertical spindles' paths are seen from above (the
// leaf's x and y); the side head's are seen onto the lock edge (the leaf's x
// and z, z 0 on the top face and negative into the door).
struct PreviewStroke {
    int tool = 0; // which tool of the preview, from 0, in the order of first use
    bool rapid = false;
    std::vector<PreviewPoint> points; // the first one's arc unused
    bool edge = false;  // seen onto the lock edge
    FeatureRef feature; // the feature the moves belong to
    double depth = 0.0; // cuts: the deepest they go below the face they start from
};

// A cut straight along the tool's axis, a drilled hole, which the view of
// its face sees as a point: where and how deep.
struct PreviewPlunge {
    int tool = 0;
    bool edge = false;
    Point2 at;
    FeatureRef feature;
    double depth = 0.0;
};

// What the preview of a door's programs draws.
struct MachiningPreview {
    std::vector<PreviewTool> tools; // indexed by the strokes' and plunges' tool
    std::vector<PreviewStroke> strokes;
    std::vector<PreviewPlunge> plunges;
    double length = 0.0, width = 0.0, thickness = 0.0; // the door's
    std::optional<WorkFrame> edge; // the lock edge, when the side head works in it

    bool empty() const { return strokes.empty() && plunges.empty(); }
};

// The preview of the programs, each tool use's path split into runs of
// rapid moves and runs of cuts, feature by feature. Tools are numbered
// across the plans by their table number, so a tool used by both programs
// keeps one colour.
MachiningPreview BuildPreview(const std::vector<const MachiningPlan*>& plans);

// The stroke as a polyline whose chords stray from its arcs by at most
// `tolerance` (mm, above 0) where they reach into `shown`; elsewhere they
// may be coarser.
std::vector<Point2> StrokePolyline(const PreviewStroke& stroke, double tolerance, const GK_Box& shown);
